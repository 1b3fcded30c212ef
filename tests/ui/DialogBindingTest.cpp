// A dialog that binds a control its template does not have, or has as
// another kind, stops at once and says which dialog and which control.

#include "ui/framework/Dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <functional>

namespace qor::ui {
namespace {

class BindingDialog : public CDialog {
 public:
  BindingDialog(std::function<void(BindingDialog&)> bind, std::function<void(BindingDialog&)> map,
                int templateId = res::IDD_ANALOG_DIALOG)
      : CDialog(templateId), m_Bind(std::move(bind)), m_Map(std::move(map)) {}

  void OnList() {}
  using CDialog::OnClicked;
  using CDialog::OnSelChange;

 protected:
  void DoDataExchange() override {
    if (m_Bind) m_Bind(*this);
  }
  void MessageMap() override {
    if (m_Map) m_Map(*this);
  }

 private:
  std::function<void(BindingDialog&)> m_Bind;
  std::function<void(BindingDialog&)> m_Map;
};

// Opens the dialog; a binding that passes ends it at once.
void Open(std::function<void(BindingDialog&)> bind, std::function<void(BindingDialog&)> map = {},
          int templateId = res::IDD_ANALOG_DIALOG) {
  int argc = 1;
  char name[] = "DialogBindingTest";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  BindingDialog dialog(
      [bind](BindingDialog& d) {
        bind(d);
        d.EndDialog(res::IDOK);
      },
      std::move(map), templateId);
  dialog.DoModal();
}

class DialogBindingDeathTest : public ::testing::Test {
 protected:
  // The child runs the test afresh, so no thread of this process is copied.
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(DialogBindingDeathTest, ControlMissingFromTheTemplateIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog& d) { d.DlgItem<QLineEdit>(res::IDC_GROUND); }),
               "Dialog 134 \"Analog Settings\": no control 1042 in the template");
}

TEST_F(DialogBindingDeathTest, ControlOfAnotherKindIsNamedWithBothKinds) {
  EXPECT_DEATH(Open([](BindingDialog& d) { d.DlgItem<QSlider>(res::IDC_ANALOG1); }),
               "Dialog 134 \"Analog Settings\": control 1012 is a qor::ui::CheckBox, not a QSlider");
}

TEST_F(DialogBindingDeathTest, HandlerForAControlMissingFromTheTemplateIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog&) {},
                    [](BindingDialog& d) { d.OnSelChange(res::IDC_DEVICE_LIST, &BindingDialog::OnList); }),
               "Dialog 134 \"Analog Settings\": no control 1008 in the template");
}

TEST_F(DialogBindingDeathTest, ClickHandlerForAButtonMissingFromTheTemplateIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog&) {},
                    [](BindingDialog& d) { d.OnClicked(res::IDC_SAVE_SETTINGS, &BindingDialog::OnList); }),
               "Dialog 134 \"Analog Settings\": no control 1019 in the template");
}

TEST_F(DialogBindingDeathTest, TemplateTheResourcesLackIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog&) {}, {}, 999), "Dialog 999: no such template");
}

TEST_F(DialogBindingDeathTest, ControlAskedForWhileClosedIsNamed) {
  EXPECT_DEATH(
      {
        BindingDialog dialog({}, {});
        dialog.GetDlgItem(res::IDC_ANALOG1);
      },
      "Dialog 134 \"Analog Settings\": control 1012 asked for while the window is closed");
}

TEST(DialogBindingTest, TemplateControlsAreKnownAndOthersAreNot) {
  BindingDialog dialog({}, {});
  EXPECT_TRUE(dialog.HasDlgItem(res::IDC_ANALOG6));
  EXPECT_TRUE(dialog.HasDlgItem(res::IDCANCEL));
  EXPECT_FALSE(dialog.HasDlgItem(res::IDC_SAVE_SETTINGS));
  EXPECT_FALSE(dialog.HasDlgItem(res::IDC_STATIC));
}

}  // namespace
}  // namespace qor::ui
