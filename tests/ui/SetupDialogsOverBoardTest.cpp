// Every setting of a virtual board changed through the main window's setup
// dialogs, saved, and read back.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include "WindowHarness.h"
#include "settings/KeyCodeTable.h"
#include "ui/joystick/FakeJoystickInput.h"

using namespace qor;
using namespace qor::test;
using ui::CConfigMainDialog;

namespace {

constexpr int Save = res::IDC_SAVE_SETTINGS, Reread = res::IDC_REREAD_DEVICE, KeyStickSetup = res::IDC_KEYSTICK_SETUP,
              AnalogSetup = res::IDC_ANALOG_SETUP, JoyMouseSetup = res::IDC_JOYMOUSE_SETUP;

void Retype(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(edit, text);
}

}  // namespace

class SetupDialogsOverBoardTest : public QObject {
  Q_OBJECT

 private slots:
  void everySettingChangedSavedAndReadBack() {
    joystick::FakeJoystickInput joystick;
    joystick::SetJoystickInput(&joystick);
    WindowHarness harness;
    const SettingsReport loaded = SampleSettings(3);
    auto board = harness.Platform.AddBoard("ABC", loaded);

    SettingsReport expected = loaded;
    expected[report_offset::AnalogInputs] =
        static_cast<std::uint8_t>((loaded[report_offset::AnalogInputs] | 0x02) & 0x3F);
    QVERIFY(loaded[report_offset::JoyMouse] & 0x80);
    expected[report_offset::JoyMouse] = 0x20;  // switched off, top speed
    expected[report_offset::JoyMouseDeadZone + 2] = 1;
    expected[report_offset::JoyMouseDeadZone + 3] = 254;
    expected[report_offset::KeyStickDeadZone + 0] = 5;
    expected[report_offset::KeyStickDeadZone + 1] = 250;
    KeyCodeTable::BuildReverseMap();
    expected[report_offset::KeyStickKeys] =
        KeyCodeTable::CodeAt(KeyCodeTable::IndexOfCode(loaded[report_offset::KeyStickKeys]) + 1);

    QVERIFY(harness.Run([&](CConfigMainDialog& main) {
      QVERIFY(OpenAndDrive(main, KeyStickSetup, main.m_KeycodeDialog, [&] {
        auto* up = main.m_KeycodeDialog.DlgItem<QComboBox>(res::IDC_KEY_UP);
        up->setFocus(Qt::TabFocusReason);
        QTest::keyClick(up, Qt::Key_Down);
        Retype(main.m_KeycodeDialog.DlgItem<QLineEdit>(res::IDC_ZONE_TOP), QStringLiteral("5"));
        Retype(main.m_KeycodeDialog.DlgItem<QLineEdit>(res::IDC_ZONE_BOTTOM), QStringLiteral("250"));
        QTest::mouseClick(main.m_KeycodeDialog.DlgItem<QPushButton>(res::IDCANCEL), Qt::LeftButton);
      }));
      QVERIFY(OpenAndDrive(main, JoyMouseSetup, main.m_JoyMouseDialog, [&] {
        QTest::mouseClick(main.m_JoyMouseDialog.DlgItem<QCheckBox>(res::IDC_JOYMOUSE_ENABLE), Qt::LeftButton);
        Retype(main.m_JoyMouseDialog.DlgItem<QLineEdit>(res::IDC_ZONE_LEFT), QStringLiteral("1"));
        Retype(main.m_JoyMouseDialog.DlgItem<QLineEdit>(res::IDC_ZONE_RIGHT), QStringLiteral("254"));
        auto* speed = main.m_JoyMouseDialog.DlgItem<QSlider>(res::IDC_JOYMOUSE_SPEED);
        speed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(speed, Qt::Key_End);
        QTest::keyClick(speed, Qt::Key_Return);
      }));
      QVERIFY(OpenAndDrive(main, AnalogSetup, main.m_AnalogDialog, [&] {
        QTest::mouseClick(main.m_AnalogDialog.DlgItem<QCheckBox>(res::IDC_ANALOG2), Qt::LeftButton);
        QTest::mouseClick(main.m_AnalogDialog.DlgItem<QPushButton>(res::IDOK), Qt::LeftButton);
      }));
      // Confirmed but not saved: the board still has its old settings.
      QCOMPARE(board->Stored(), loaded);
      QTest::mouseClick(main.DlgItem<QPushButton>(Save), Qt::LeftButton);
      QTest::mouseClick(main.DlgItem<QPushButton>(Reread), Qt::LeftButton);
      QCOMPARE(main.m_JoyMouseDialog.m_JoyMouseOptions, expected[report_offset::JoyMouse]);
    }));
    QCOMPARE(harness.MessageTexts(),
             QStringList{"Settings Saved! Please disconnect and reconnect device to apply changes."});
    for (std::size_t offset = report_offset::BoardId; offset < SettingsReportSize; ++offset)
      QCOMPARE(std::make_pair(offset, board->Stored()[offset]), std::make_pair(offset, expected[offset]));
    QVERIFY(joystick.Registered() == nullptr);
    joystick::SetJoystickInput(nullptr);
  }
};

QTEST_MAIN(SetupDialogsOverBoardTest)
#include "SetupDialogsOverBoardTest.moc"
