// The three setup dialogs driven as a person would: keys typed into the real
// edits, clicks on the real buttons, Enter, Escape and the close box, with
// every message caught and a fake joystick behind the preview.

#include "ui/SetupDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <functional>

#include "WindowHarness.h"
#include "settings/KeyCodeTable.h"
#include "ui/framework/MessageBox.h"
#include "ui/joystick/FakeJoystickInput.h"

using namespace qor;
using namespace qor::ui;

namespace {

const QString BottomTop = QStringLiteral("Please check Dead Zone settings. Bottom must be greater number than Top.");
const QString RightLeft = QStringLiteral("Please check Dead Zone settings. Right must be greater number than Left.");

// DoModal's result when the test had to end a dialog its body left open.
constexpr int LeftOpen = 99;

// How a test ends a dialog.
enum Ending {
  ClickOk,
  ClickCancel,
  EnterOnOk,
  EnterOnEdit,
  EnterOnSelector,
  EnterOnCheckBox,
  EnterOnCancel,
  Escape,
  CloseBox
};

// Runs `body` inside the dialog's modal loop once its window is up and
// active, and returns DoModal's result; `ran` tells whether the body ran.
int RunModal(CDialog& dialog, const std::function<void(QDialog&)>& body, bool& ran) {
  int result = 0;
  ran = test::DriveModal(
      dialog, [&] { result = dialog.DoModal(); }, body, LeftOpen);
  return result;
}

// Replaces an edit's text by typing, as a person selecting it all would.
void Retype(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(edit, text);
}

QLineEdit* Edit(CDialog& dialog, int index) { return dialog.DlgItem<QLineEdit>(DeadZoneEdits::EditIds[index]); }

void Press(QWidget* target, Qt::Key key) {
  target->setFocus(Qt::TabFocusReason);
  QTest::keyClick(target, key);
}

}  // namespace

class SetupDialogsTest : public QObject {
  Q_OBJECT

  joystick::FakeJoystickInput* m_Joystick = nullptr;
  QStringList m_Messages;

  void End(CDialog& dialog, QDialog& window, Ending ending) {
    switch (ending) {
      case ClickOk:
        QTest::mouseClick(dialog.DlgItem<QPushButton>(dialog.HasDlgItem(res::IDOK) ? res::IDOK : res::IDCANCEL),
                          Qt::LeftButton);
        break;
      case ClickCancel:
        QTest::mouseClick(dialog.DlgItem<QPushButton>(res::IDCANCEL), Qt::LeftButton);
        break;
      case EnterOnOk:
        Press(dialog.DlgItem<QPushButton>(dialog.HasDlgItem(res::IDOK) ? res::IDOK : res::IDCANCEL), Qt::Key_Return);
        break;
      case EnterOnEdit:
        Press(Edit(dialog, 1), Qt::Key_Return);
        break;
      case EnterOnSelector:
        Press(dialog.DlgItem<QComboBox>(res::IDC_KEY_UP), Qt::Key_Return);
        break;
      case EnterOnCheckBox:
        Press(dialog.DlgItem<QCheckBox>(dialog.HasDlgItem(res::IDC_ANALOG1) ? res::IDC_ANALOG1
                                                                            : res::IDC_JOYMOUSE_ENABLE),
              Qt::Key_Return);
        break;
      case EnterOnCancel:
        Press(dialog.DlgItem<QPushButton>(res::IDCANCEL), Qt::Key_Return);
        break;
      case Escape:
        QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_Escape);
        break;
      case CloseBox:
        window.close();
        break;
    }
  }

 private slots:
  void init() {
    m_Joystick = new joystick::FakeJoystickInput;
    joystick::SetJoystickInput(m_Joystick);
    m_Messages.clear();
    SetMessageHook([this](const QString& text, QWidget*) { m_Messages << text; });
    CJoyThreshBox::ResetRedrawCounter();
    KeyCodeTable::ResetReverseMap();
  }

  void cleanup() {
    SetMessageHook({});
    joystick::SetJoystickInput(nullptr);
    delete m_Joystick;
  }

  // ---- KeyStick ----

  void keyStickLabelsEachZoneBoxAndInput() {
    CKeycodeDialog dialog;
    QStringList labels;
    bool ran = false;
    RunModal(
        dialog,
        [&](QDialog& window) {
          for (const QLabel* label : window.findChildren<QLabel*>()) labels << label->text();
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(labels,
             (QStringList{"Top",       "Bottom",   "Left",     "Right",     "Up",        "Down",      "Left",
                          "Right",     "Button 1", "Button 2", "Button 3",  "Button 4",  "Button 5",  "Button 6",
                          "Button 7",  "Button 8", "Button 9", "Button 10", "Button 11", "Button 12", "Button 13",
                          "Button 14", "0",        "255",      "0",         "255"}));
  }

  void keyStickOpensWithItsFieldsAndStoresThemOnOk() {
    CKeycodeDialog dialog;
    for (std::size_t j = 0; j < dialog.m_KeyCodes.size(); ++j)
      dialog.m_KeyCodes[j] = KeyCodeTable::CodeAt(static_cast<int>(j * 5 + 1));
    dialog.m_KeyCodes[2] = 0x00;  // not in the table
    dialog.m_KeyCodes[17] = 0xFF;
    dialog.m_KeyStickZone = DeadZone{64, 192, 60, 190};
    const auto loaded = dialog.m_KeyCodes;

    for (int opening = 0; opening < 2; ++opening) {
      bool ran = false;
      const int result = RunModal(
          dialog,
          [&](QDialog& window) {
            QVERIFY(dialog.m_bInitialized);
            QVERIFY(m_Joystick->Registered() == &dialog.m_Preview);
            QCOMPARE(window.focusWidget(), dialog.GetDlgItem(res::IDCANCEL));  // "Ok", the first tab stop
            for (std::size_t j = 0; j < CKeycodeDialog::KeySelectorIds.size(); ++j) {
              auto* selector = dialog.DlgItem<QComboBox>(CKeycodeDialog::KeySelectorIds[j]);
              QCOMPARE(selector->count(), KeyCodeTable::Count);  // never a name twice
              const bool known = j != 2 && j != 17;
              QCOMPARE(selector->currentText(),
                       QString::fromLatin1(known ? KeyCodeTable::NameAt(static_cast<int>(j * 5 + 1)) : "F1"));
            }
            const QStringList texts{"64", "192", "60", "190"};
            for (int i = 0; i < 4; ++i) QCOMPARE(Edit(dialog, i)->text(), texts[i]);
            QCOMPARE(dialog.m_Preview.Zone(), (DeadZone{64, 192, 60, 190}));
            QTest::mouseClick(dialog.DlgItem<QPushButton>(res::IDCANCEL), Qt::LeftButton);
          },
          ran);
      QVERIFY(ran);
      QCOMPARE(result, int(res::IDCANCEL));
    }
    auto expected = loaded;
    expected[2] = 0x3A;
    expected[17] = 0x3A;
    QCOMPARE(dialog.m_KeyCodes, expected);
    QCOMPARE(dialog.m_KeyStickZone, (DeadZone{64, 192, 60, 190}));
    QVERIFY(!dialog.m_bInitialized);
    QVERIFY(m_Joystick->Registered() == nullptr);
    QVERIFY(m_Messages.isEmpty());
  }

  void keyStickTypedTopReachesThePreview_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("tops");  // the preview's Top after each key
    QTest::addColumn<QString>("shownAfterTab");
    QTest::newRow("300 stops at 30") << "300" << QList<int>{3, 30, 30} << "30";
    QTest::newRow("007 shows as 7") << "007" << QList<int>{0, 0, 7} << "7";
    QTest::newRow("letters keep the last value") << "abc" << QList<int>{100, 100, 100} << "100";
    QTest::newRow("letter after a digit") << "2a5" << QList<int>{2, 2, 2} << "2";
  }

  void keyStickTypedTopReachesThePreview() {
    QFETCH(QString, typed);
    QFETCH(QList<int>, tops);
    QFETCH(QString, shownAfterTab);
    CKeycodeDialog dialog;
    dialog.m_KeyStickZone = DeadZone{100, 200, 50, 150};
    bool ran = false;
    RunModal(
        dialog,
        [&](QDialog&) {
          QLineEdit* top = Edit(dialog, 0);
          top->setFocus(Qt::MouseFocusReason);
          QTest::keyClick(top, Qt::Key_A, Qt::ControlModifier);
          for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(top, typed[i].toLatin1());
            QCOMPARE(dialog.m_Preview.Zone().Top, tops[i]);
          }
          QCOMPARE(top->text(), typed);
          QTest::keyClick(top, Qt::Key_Tab);
          QVERIFY(!top->hasFocus());
          QCOMPARE(top->text(), shownAfterTab);
          QCOMPARE(dialog.m_Preview.Zone().Top, tops.last());
        },
        ran);
    QVERIFY(ran);
  }

  void keyStickArrowKeyStepsThePreview() {
    CKeycodeDialog dialog;
    dialog.m_KeyStickZone = DeadZone{100, 200, 50, 150};
    bool ran = false;
    RunModal(
        dialog,
        [&](QDialog&) {
          Press(Edit(dialog, 3), Qt::Key_Up);
          QCOMPARE(Edit(dialog, 3)->text(), QStringLiteral("151"));
          QCOMPARE(dialog.m_Preview.Zone().Right, 151);
        },
        ran);
    QVERIFY(ran);
  }

  void keyStickChecksTheDeadZone_data() {
    QTest::addColumn<QStringList>("zone");  // Top, Bottom, Left, Right as typed
    QTest::addColumn<QString>("message");
    QTest::newRow("top equals bottom") << QStringList{"128", "128", "90", "160"} << BottomTop;
    QTest::newRow("top just below bottom") << QStringList{"127", "128", "90", "160"} << QString();
    QTest::newRow("left above right") << QStringList{"10", "20", "200", "100"} << RightLeft;
    QTest::newRow("left equals right") << QStringList{"10", "20", "100", "100"} << RightLeft;
    QTest::newRow("both wrong: only top and bottom") << QStringList{"50", "20", "200", "100"} << BottomTop;
    QTest::newRow("out-of-range bottom reads its last value") << QStringList{"40", "300", "1", "2"} << BottomTop;
  }

  // A refused zone keeps the dialog open with everything in place; the
  // standard OK command still ends it without storing.
  void keyStickChecksTheDeadZone() {
    QFETCH(QStringList, zone);
    QFETCH(QString, message);
    CKeycodeDialog dialog;
    dialog.m_KeyStickZone = DeadZone{1, 2, 3, 4};
    dialog.m_KeyCodes.fill(0x04);
    bool ran = false;
    const int result = RunModal(
        dialog,
        [&](QDialog& window) {
          for (int i = 0; i < 4; ++i) Retype(Edit(dialog, i), zone[i]);
          Press(dialog.DlgItem<QComboBox>(res::IDC_KEY_DOWN), Qt::Key_Down);
          QTest::mouseClick(dialog.DlgItem<QPushButton>(res::IDCANCEL), Qt::LeftButton);
          if (message.isEmpty()) return;
          QCOMPARE(m_Messages, QStringList{message});
          QVERIFY(window.isVisible());
          QVERIFY(dialog.m_bInitialized);
          QVERIFY(m_Joystick->Registered() == &dialog.m_Preview);
          QCOMPARE(Edit(dialog, 0)->text(), zone[0]);
          End(dialog, window, EnterOnEdit);
        },
        ran);
    QVERIFY(ran);
    if (message.isEmpty()) {
      QCOMPARE(result, int(res::IDCANCEL));
      QVERIFY(m_Messages.isEmpty());
      QCOMPARE(dialog.m_KeyStickZone, (DeadZone{127, 128, 90, 160}));
      QCOMPARE(dialog.m_KeyCodes[1], KeyCodeTable::CodeAt(KeyCodeTable::IndexOfCode(0x04) + 1));
    } else {
      QCOMPARE(result, int(res::IDOK));
      QCOMPARE(dialog.m_KeyStickZone, (DeadZone{1, 2, 3, 4}));
      QCOMPARE(dialog.m_KeyCodes[1], 0x04);
    }
    QVERIFY(!dialog.m_bInitialized);
    QVERIFY(m_Joystick->Registered() == nullptr);
  }

  // "Ok" is command 2: Escape and the close box store as it does; Enter
  // anywhere but on "Ok" is the standard OK command and stores nothing.
  void keyStickEndings_data() {
    QTest::addColumn<int>("ending");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("stores");
    QTest::newRow("click Ok") << int(ClickOk) << int(res::IDCANCEL) << true;
    QTest::newRow("Enter on Ok") << int(EnterOnOk) << int(res::IDCANCEL) << true;
    QTest::newRow("Escape") << int(Escape) << int(res::IDCANCEL) << true;
    QTest::newRow("close box") << int(CloseBox) << int(res::IDCANCEL) << true;
    QTest::newRow("Enter on a selector") << int(EnterOnSelector) << int(res::IDOK) << false;
    QTest::newRow("Enter on a dead-zone box") << int(EnterOnEdit) << int(res::IDOK) << false;
  }

  void keyStickEndings() {
    QFETCH(int, ending);
    QFETCH(int, result);
    QFETCH(bool, stores);
    CKeycodeDialog dialog;
    dialog.m_KeyCodes.fill(0x04);  // "A"
    dialog.m_KeyStickZone = DeadZone{10, 150, 20, 200};
    bool ran = false;
    const int ended = RunModal(
        dialog,
        [&](QDialog& window) {
          Press(dialog.DlgItem<QComboBox>(res::IDC_KEY_UP), Qt::Key_Down);  // Up: "A" -> "B"
          // "300" typed over Bottom and the dialog left at once: 30 was the last
          // number the box held.
          Retype(Edit(dialog, 1), QStringLiteral("300"));
          End(dialog, window, static_cast<Ending>(ending));
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(ended, result);
    QVERIFY(m_Messages.isEmpty());
    QCOMPARE(dialog.m_KeyCodes[0], stores ? 0x05 : 0x04);
    QCOMPARE(dialog.m_KeyStickZone, (DeadZone{10, std::uint8_t(stores ? 30 : 150), 20, 200}));
    QVERIFY(!dialog.m_bInitialized);
    QVERIFY(m_Joystick->Registered() == nullptr);
    QVERIFY(!m_Joystick->Move(1, 2));
  }

  void keyStickInvalidZoneFromABoardHoldsTheDialog() {
    CKeycodeDialog dialog;
    dialog.m_KeyStickZone = DeadZone{0, 0, 0, 0};
    bool ran = false;
    const int result = RunModal(
        dialog,
        [&](QDialog& window) {
          QCOMPARE(dialog.m_Preview.Zone(), (DeadZone{0, 0, 0, 0}));
          for (Ending ending : {ClickOk, Escape, CloseBox}) {
            End(dialog, window, ending);
            QVERIFY(window.isVisible());
          }
          QCOMPARE(m_Messages, (QStringList{BottomTop, BottomTop, BottomTop}));
          Retype(Edit(dialog, 1), QStringLiteral("9"));
          End(dialog, window, Escape);
          QCOMPARE(m_Messages.last(), RightLeft);
          Retype(Edit(dialog, 3), QStringLiteral("8"));
          End(dialog, window, Escape);
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(result, int(res::IDCANCEL));
    QCOMPARE(dialog.m_KeyStickZone, (DeadZone{0, 9, 0, 8}));
  }

  void keyStickPreviewFollowsTheJoystick() {
    CKeycodeDialog dialog;
    dialog.m_KeyStickZone = DeadZone{10, 150, 20, 200};
    bool ran = false;
    RunModal(
        dialog,
        [&](QDialog&) {
          QVERIFY(m_Joystick->Move(30, 40));
          QVERIFY(m_Joystick->Move(31, 41));
          QCOMPARE(dialog.m_Preview.X(), 31);
          QCOMPARE(dialog.m_Preview.Y(), 41);
          Press(dialog.DlgItem<QPushButton>(res::IDCANCEL), Qt::Key_Space);
        },
        ran);
    QVERIFY(ran);
    QVERIFY(!m_Joystick->Move(90, 90));
    RunModal(
        dialog,
        [&](QDialog&) {
          QCOMPARE(dialog.m_Preview.X(), 31);  // where the stick was last seen
          QCOMPARE(m_Joystick->Registrations, 2);
        },
        ran);
    QVERIFY(ran);
  }

  // ---- JoyMouse ----

  void joyMouseOptions_data() {
    QTest::addColumn<int>("options");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("ending");
    QTest::addColumn<int>("stored");
    QTest::newRow("0x00 opens at speed 1") << 0x00 << false << 1 << int(ClickOk) << 0x01;
    QTest::newRow("0x85") << 0x85 << true << 5 << int(ClickOk) << 0x85;
    QTest::newRow("0xFF holds speed 32") << 0xFF << true << 32 << int(ClickOk) << 0xA0;
    QTest::newRow("0x40 without JoyMouse") << 0x40 << false << 32 << int(EnterOnEdit) << 0x20;
    QTest::newRow("Enter on the check box") << 0x85 << true << 5 << int(EnterOnCheckBox) << 0x85;
  }

  void joyMouseOptions() {
    QFETCH(int, options);
    QFETCH(bool, checked);
    QFETCH(int, speed);
    QFETCH(int, ending);
    QFETCH(int, stored);
    CJoyMouseDialog dialog;
    dialog.m_JoyMouseOptions = static_cast<std::uint8_t>(options);
    dialog.m_JoyMouseZone = DeadZone{100, 150, 90, 160};
    bool ran = false;
    const int result = RunModal(
        dialog,
        [&](QDialog& window) {
          QCOMPARE(window.focusWidget(), dialog.GetDlgItem(res::IDOK));
          QCOMPARE(dialog.DlgItem<QCheckBox>(res::IDC_JOYMOUSE_ENABLE)->isChecked(), checked);
          QCOMPARE(dialog.DlgItem<QSlider>(res::IDC_JOYMOUSE_SPEED)->value(), speed);
          QCOMPARE(dialog.m_Preview.Zone(), (DeadZone{100, 150, 90, 160}));
          QVERIFY(m_Joystick->Registered() == &dialog.m_Preview);
          End(dialog, window, static_cast<Ending>(ending));
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(result, int(res::IDOK));
    QCOMPARE(int(dialog.m_JoyMouseOptions), stored);
    QVERIFY(!dialog.m_bInitialized);
    QVERIFY(m_Joystick->Registered() == nullptr);
  }

  void joyMouseStoresWhatWasTyped() {
    CJoyMouseDialog dialog;
    dialog.m_JoyMouseOptions = 0x00;
    dialog.m_JoyMouseZone = DeadZone{1, 2, 3, 4};
    bool ran = false;
    const int result = RunModal(
        dialog,
        [&](QDialog&) {
          const QStringList typed{"100", "150", "90", "160"};
          for (int i = 0; i < 4; ++i) Retype(Edit(dialog, i), typed[i]);
          QCOMPARE(dialog.m_Preview.Zone(), (DeadZone{100, 150, 90, 160}));
          QTest::mouseClick(dialog.DlgItem<QCheckBox>(res::IDC_JOYMOUSE_ENABLE), Qt::LeftButton);
          auto* speed = dialog.DlgItem<QSlider>(res::IDC_JOYMOUSE_SPEED);
          speed->setFocus(Qt::TabFocusReason);
          for (int i = 0; i < 7; ++i) QTest::keyClick(speed, Qt::Key_Right);
          QTest::mouseClick(dialog.DlgItem<QPushButton>(res::IDOK), Qt::LeftButton);
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(result, int(res::IDOK));
    QCOMPARE(dialog.m_JoyMouseZone, (DeadZone{100, 150, 90, 160}));
    QCOMPARE(int(dialog.m_JoyMouseOptions), 0x88);
  }

  void joyMouseChecksTheDeadZone_data() {
    QTest::addColumn<QStringList>("zone");
    QTest::addColumn<QString>("message");
    QTest::newRow("top equals bottom") << QStringList{"128", "128", "90", "160"} << BottomTop;
    QTest::newRow("left equals right") << QStringList{"10", "20", "100", "100"} << RightLeft;
    QTest::newRow("both wrong") << QStringList{"50", "20", "200", "100"} << BottomTop;
  }

  void joyMouseChecksTheDeadZone() {
    QFETCH(QStringList, zone);
    QFETCH(QString, message);
    CJoyMouseDialog dialog;
    dialog.m_JoyMouseZone = DeadZone{1, 2, 3, 4};
    dialog.m_JoyMouseOptions = 0x83;
    bool ran = false;
    const int result = RunModal(
        dialog,
        [&](QDialog& window) {
          for (int i = 0; i < 4; ++i) Retype(Edit(dialog, i), zone[i]);
          End(dialog, window, EnterOnEdit);
          QCOMPARE(m_Messages, QStringList{message});
          QVERIFY(window.isVisible());
          QVERIFY(dialog.m_bInitialized);
          End(dialog, window, Escape);
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(result, int(res::IDCANCEL));
    QCOMPARE(dialog.m_JoyMouseZone, (DeadZone{1, 2, 3, 4}));
    QCOMPARE(int(dialog.m_JoyMouseOptions), 0x83);
  }

  // Escape and the close box keep the fields, and end the joystick input.
  void joyMouseCancelKeepsTheFields_data() {
    QTest::addColumn<int>("ending");
    QTest::newRow("Escape") << int(Escape);
    QTest::newRow("close box") << int(CloseBox);
  }

  void joyMouseCancelKeepsTheFields() {
    QFETCH(int, ending);
    CJoyMouseDialog dialog;
    dialog.m_JoyMouseZone = DeadZone{10, 20, 30, 40};
    dialog.m_JoyMouseOptions = 0x83;
    bool ran = false;
    const int result = RunModal(
        dialog,
        [&](QDialog& window) {
          Retype(Edit(dialog, 0), QStringLiteral("5"));
          QTest::mouseClick(dialog.DlgItem<QCheckBox>(res::IDC_JOYMOUSE_ENABLE), Qt::LeftButton);
          End(dialog, window, static_cast<Ending>(ending));
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(result, int(res::IDCANCEL));
    QCOMPARE(dialog.m_JoyMouseZone, (DeadZone{10, 20, 30, 40}));
    QCOMPARE(int(dialog.m_JoyMouseOptions), 0x83);
    QVERIFY(!dialog.m_bInitialized);
    QVERIFY(m_Joystick->Registered() == nullptr);
    RunModal(
        dialog,
        [&](QDialog&) {
          QCOMPARE(Edit(dialog, 0)->text(), QStringLiteral("10"));
          QVERIFY(dialog.DlgItem<QCheckBox>(res::IDC_JOYMOUSE_ENABLE)->isChecked());
        },
        ran);
    QVERIFY(ran);
  }

  void joyMouseEditsTakeDigitsOnly() {
    CJoyMouseDialog dialog;
    dialog.m_JoyMouseZone = DeadZone{200, 220, 30, 40};
    bool ran = false;
    RunModal(
        dialog,
        [&](QDialog&) {
          QLineEdit* top = Edit(dialog, 0);
          top->setFocus(Qt::MouseFocusReason);
          QTest::keyClick(top, Qt::Key_End);
          QTest::keyClicks(top, QStringLiteral("x-"));
          QCOMPARE(top->text(), QStringLiteral("200"));
          Retype(top, QStringLiteral("300"));
          QTest::keyClick(top, Qt::Key_Tab);
          QCOMPARE(top->text(), QStringLiteral("30"));
        },
        ran);
    QVERIFY(ran);
  }

  // ---- Analog ----

  void analogOpensWithTheMask_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<QList<bool>>("checked");
    QTest::newRow("0x2D") << 0x2D << QList<bool>{true, false, true, true, false, true};
    QTest::newRow("0xFF") << 0xFF << QList<bool>{true, true, true, true, true, true};
    QTest::newRow("0xC0") << 0xC0 << QList<bool>{false, false, false, false, false, false};
  }

  void analogOpensWithTheMask() {
    QFETCH(int, mask);
    QFETCH(QList<bool>, checked);
    CAnalogDialog dialog;
    dialog.m_AnalogMask = static_cast<std::uint8_t>(mask);
    bool ran = false;
    RunModal(
        dialog,
        [&](QDialog& window) {
          QCOMPARE(window.focusWidget(), dialog.GetDlgItem(res::IDOK));
          for (int i = 0; i < 6; ++i)
            QCOMPARE(dialog.DlgItem<QCheckBox>(CAnalogDialog::CheckBoxIds[i])->isChecked(), checked[i]);
        },
        ran);
    QVERIFY(ran);
  }

  void analogStores_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<QList<int>>("clicks");  // boxes clicked, 1..6
    QTest::addColumn<int>("ending");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("stored");
    QTest::newRow("0xFF OK drops bits 6 and 7") << 0xFF << QList<int>{} << int(ClickOk) << 1 << 0x3F;
    QTest::newRow("0xC0 OK") << 0xC0 << QList<int>{} << int(ClickOk) << 1 << 0x00;
    QTest::newRow("0xC0 Cancel keeps all") << 0xC0 << QList<int>{} << int(ClickCancel) << 2 << 0xC0;
    QTest::newRow("only Analog 4") << 0x00 << QList<int>{4} << int(ClickOk) << 1 << 0x08;
    QTest::newRow("only Analog 6") << 0x00 << QList<int>{6} << int(ClickOk) << 1 << 0x20;
    QTest::newRow("Enter on a box") << 0x00 << QList<int>{1, 5} << int(EnterOnCheckBox) << 1 << 0x11;
    QTest::newRow("Enter on OK") << 0x00 << QList<int>{2} << int(EnterOnOk) << 1 << 0x02;
    QTest::newRow("Enter on Cancel") << 0x2D << QList<int>{1} << int(EnterOnCancel) << 2 << 0x2D;
    QTest::newRow("Escape") << 0xED << QList<int>{1} << int(Escape) << 2 << 0xED;
    QTest::newRow("close box") << 0xED << QList<int>{1} << int(CloseBox) << 2 << 0xED;
  }

  void analogStores() {
    QFETCH(int, mask);
    QFETCH(QList<int>, clicks);
    QFETCH(int, ending);
    QFETCH(int, result);
    QFETCH(int, stored);
    CAnalogDialog dialog;
    dialog.m_AnalogMask = static_cast<std::uint8_t>(mask);
    bool ran = false;
    const int ended = RunModal(
        dialog,
        [&](QDialog& window) {
          for (int box : clicks)
            QTest::mouseClick(dialog.DlgItem<QCheckBox>(CAnalogDialog::CheckBoxIds[box - 1]), Qt::LeftButton);
          End(dialog, window, static_cast<Ending>(ending));
        },
        ran);
    QVERIFY(ran);
    QCOMPARE(ended, result);
    QCOMPARE(int(dialog.m_AnalogMask), stored);
  }
};

QTEST_MAIN(SetupDialogsTest)
#include "SetupDialogsTest.moc"
