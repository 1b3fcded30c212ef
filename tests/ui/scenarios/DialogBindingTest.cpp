// A dialog that binds a control its template does not have, or has as
// another kind, stops at once and says which dialog and which control, by
// the control's symbol, on every toolkit.

#include "ui/framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>

namespace qor::ui {
namespace {

class BindingDialog : public CDialog {
 public:
  BindingDialog(std::function<void(BindingDialog&)> bind, std::function<void(BindingDialog&)> map,
                int templateId = res::IDD_ANALOG_DIALOG)
      : CDialog(templateId), m_Bind(std::move(bind)), m_Map(std::move(map)) {}

  void OnList() {}
  template <class Control>
  void Bind(res::ControlId id) {
    Control control;
    BindControl(id, control);
  }
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
  EXPECT_DEATH(Open([](BindingDialog& d) { d.Bind<CEdit>(res::IDC_GROUND); }),
               "Dialog 134 \"Analog Settings\": no control IDC_GROUND in the template");
}

TEST_F(DialogBindingDeathTest, ControlOfAnotherKindIsNamedWithBothKinds) {
  EXPECT_DEATH(Open([](BindingDialog& d) { d.Bind<CSliderCtrl>(res::IDC_ANALOG1); }),
               "Dialog 134 \"Analog Settings\": control IDC_ANALOG1 is a check box, not a track bar");
}

TEST_F(DialogBindingDeathTest, HandlerForAControlMissingFromTheTemplateIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog&) {},
                    [](BindingDialog& d) { d.OnSelChange(res::IDC_DEVICE_LIST, &BindingDialog::OnList); }),
               "Dialog 134 \"Analog Settings\": no control IDC_DEVICE_LIST in the template");
}

TEST_F(DialogBindingDeathTest, HandlerForAControlOfAnotherKindIsNamed) {
  EXPECT_DEATH(
      Open([](BindingDialog&) {}, [](BindingDialog& d) { d.OnSelChange(res::IDC_ANALOG2, &BindingDialog::OnList); }),
      "Dialog 134 \"Analog Settings\": control IDC_ANALOG2 is a check box, not a drop-down list");
}

TEST_F(DialogBindingDeathTest, ClickHandlerForAButtonMissingFromTheTemplateIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog&) {},
                    [](BindingDialog& d) { d.OnClicked(res::IDC_SAVE_SETTINGS, &BindingDialog::OnList); }),
               "Dialog 134 \"Analog Settings\": no control IDC_SAVE_SETTINGS in the template");
}

TEST_F(DialogBindingDeathTest, TemplateTheResourcesLackIsNamed) {
  EXPECT_DEATH(Open([](BindingDialog&) {}, {}, 999), "Dialog 999: no such template");
}

TEST_F(DialogBindingDeathTest, ControlAskedForWhileClosedIsNamed) {
  EXPECT_DEATH(
      {
        BindingDialog dialog({}, {});
        dialog.GetDlgItem<CButton>(res::IDC_ANALOG1);
      },
      "Dialog 134 \"Analog Settings\": control IDC_ANALOG1 asked for while the window is closed");
}

TEST_F(DialogBindingDeathTest, ControlUsedBeforeBindingStops) {
  EXPECT_DEATH(
      {
        CButton button;
        button.GetCheck();
      },
      "a control was used before a dialog bound it");
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
