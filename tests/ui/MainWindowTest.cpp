// The main window driven through its real widgets over virtual boards.

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "WindowHarness.h"
#include "ui/WiringLabels.h"

using namespace qor;
using namespace qor::test;
using ui::CConfigMainDialog;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::vector<UnopenableBoard>)

namespace {

using namespace qor::res;
constexpr int Scan = IDC_SCAN_DEVICES, Reread = IDC_REREAD_DEVICE, DeviceList = IDC_DEVICE_LIST,
              ModeList = IDC_MODE_LIST, BoardIdList = IDC_BOARD_ID_LIST, Save = IDC_SAVE_SETTINGS;
// "Save Settings", "Analog Setup", "JoyMouse Setup", the board-ID list,
// "Import Settings", "Export Settings", "KeyStick Setup".
constexpr int BoardControls[] = {IDC_SAVE_SETTINGS,   IDC_ANALOG_SETUP,    IDC_JOYMOUSE_SETUP, IDC_BOARD_ID_LIST,
                                 IDC_IMPORT_SETTINGS, IDC_EXPORT_SETTINGS, IDC_KEYSTICK_SETUP};

const char* const NoDevices = "No devices found!";
const char* const LinkLost = "Device communication interrupted!\nPlease verify device connection.";
const char* const Saved = "Settings Saved! Please disconnect and reconnect device to apply changes.";

QString Pin(CConfigMainDialog& dialog, int position) {
  return dialog.DlgItem<QLineEdit>(WiringTerminalIds[position])->text();
}

// Which of the board controls are enabled, as a string of 0/1 in their order.
QString BoardControlStates(CConfigMainDialog& dialog) {
  QString states;
  for (int id : BoardControls) states += dialog.GetDlgItem(id)->isEnabled() ? '1' : '0';
  return states;
}

// Attached boards this user may not open, as sysfs would name them.
class ClosedBoards final : public BoardProbe {
 public:
  explicit ClosedBoards(std::vector<UnopenableBoard> boards) : m_Boards(std::move(boards)) {}
  std::vector<UnopenableBoard> UnopenableBoards() override { return m_Boards; }
  std::optional<std::string> UsbLocation(const std::string&) override { return std::nullopt; }

 private:
  std::vector<UnopenableBoard> m_Boards;
};

const SettingsReport BoardAbc =
    Image({{report_offset::BoardId, 1}, {report_offset::Mode, 2}, {report_offset::Reserved, 0x5A}});

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithBoards_data();
  void startsWithBoards();
  void noDevicesNamesTheNodesClosedToTheUser_data();
  void noDevicesNamesTheNodesClosedToTheUser();
  void scanIdentifiesEveryRowThenReadsTheFirst();
  void rescanClosesEveryOldHandleFirst();
  void selectionRereadAndSaveTransferExactly();
  void enablingStates_data();
  void enablingStates();
  void failedReadAfterScanIsReported();
  void failedIdentificationListsTheRowWithoutText();
  void labelsFollowTheModeFromBoardAndUser_data();
  void labelsFollowTheModeFromBoardAndUser();
  void outOfRangeSelectionsAreSavedAs255();
  void saveVerification_data();
  void saveVerification();
  void unpluggedBoard_data();
  void unpluggedBoard();
  void endingWritesNothing_data();
  void endingWritesNothing();
  void toolTipsAndFixedTexts();
  void disabledControlsShowNoTip();
  void contextMenuOpensTheAboutBox();
};

void MainWindowTest::startsWithBoards_data() {
  QTest::addColumn<int>("boards");
  QTest::addColumn<QStringList>("entries");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow("none") << 0 << QStringList{} << QStringList{NoDevices};
  QTest::newRow("one") << 1 << QStringList{"1: Board 1"} << QStringList{};
  QTest::newRow("two") << 2 << QStringList{"1: Board 1", "2: Board 2"} << QStringList{};
  QStringList ten;
  for (int i = 1; i <= 10; ++i) ten << QStringLiteral("%1: Board %1").arg(i);
  QTest::newRow("eleven") << 11 << ten << QStringList{};
}

void MainWindowTest::startsWithBoards() {
  QFETCH(int, boards);
  QFETCH(QStringList, entries);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  for (int i = 1; i <= boards; ++i)
    harness.Platform.AddBoard("Board " + std::to_string(i),
                              Image({{report_offset::BoardId, std::uint8_t(i % 4)}, {report_offset::Mode, 1}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(Entries(List(dialog, DeviceList)), entries);
    QCOMPARE(List(dialog, DeviceList)->isEnabled(), boards > 0);
    QCOMPARE(Button(dialog, Reread)->isEnabled(), boards > 0);
    QCOMPARE(BoardControlStates(dialog), boards > 0 ? QStringLiteral("1111111") : QStringLiteral("0000000"));
    QVERIFY(Button(dialog, Scan)->isEnabled());
    QVERIFY(List(dialog, ModeList)->isEnabled());
    if (boards == 0) {
      // Nothing was read: the lists have no selection and the terminals no labels.
      QCOMPARE(List(dialog, BoardIdList)->currentIndex(), -1);
      QCOMPARE(List(dialog, ModeList)->currentIndex(), -1);
      for (int position = 0; position < WiringTerminalCount; ++position) QCOMPARE(Pin(dialog, position), QString());
    } else {
      QCOMPARE(List(dialog, DeviceList)->currentIndex(), 0);
      QCOMPARE(List(dialog, BoardIdList)->currentText(), QStringLiteral("2"));
      QCOMPARE(List(dialog, ModeList)->currentIndex(), 1);
    }
    // The eleventh board is never opened.
    QCOMPARE(harness.Platform.OpenHandles().size(), std::size_t(std::min(boards, 10)));
  }));
  QCOMPARE(harness.MessageTexts(), messages);
  // The window's link goes with it, and its handles with the link.
  QVERIFY(harness.Platform.OpenHandles().empty());
}

void MainWindowTest::noDevicesNamesTheNodesClosedToTheUser_data() {
  QTest::addColumn<int>("boards");
  QTest::addColumn<std::vector<UnopenableBoard>>("closed");
  QTest::addColumn<QStringList>("messages");
  const QString advice = QStringLiteral(
      "This user may not open the QOR board%1: install the qorconfig package's access rule /x/70-qor-boards.rules, "
      "then unplug and replug the board%2 (without a local login, over ssh: /y/qor-boards-plugdev.rules).");
  QTest::newRow("nothing attached") << 0 << std::vector<UnopenableBoard>{} << QStringList{NoDevices};
  QTest::newRow("one denied") << 0 << std::vector<UnopenableBoard>{{"/dev/hidraw7", EACCES}}
                              << QStringList{NoDevices + QStringLiteral("\n") + advice.arg(" at /dev/hidraw7", "")};
  QTest::newRow("two, one not permitted")
      << 0 << std::vector<UnopenableBoard>{{"/dev/hidraw2", EPERM}, {"/dev/hidraw9", EACCES}}
      << QStringList{NoDevices + QStringLiteral("\n") + advice.arg("s at /dev/hidraw2, /dev/hidraw9", "s")};
  // Only access rights are this line's business; a busy node is not.
  QTest::newRow("busy") << 0 << std::vector<UnopenableBoard>{{"/dev/hidraw2", EBUSY}} << QStringList{NoDevices};
  // A scan that opens a board shows no message at all, as always.
  QTest::newRow("another board opens") << 1 << std::vector<UnopenableBoard>{{"/dev/hidraw7", EACCES}} << QStringList{};
}

void MainWindowTest::noDevicesNamesTheNodesClosedToTheUser() {
  QFETCH(int, boards);
  QFETCH(std::vector<UnopenableBoard>, closed);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  for (int i = 0; i < boards; ++i) harness.Platform.AddBoard("ABC", BoardAbc);
  ClosedBoards probe(closed);
  harness.Probe = &probe;
  harness.Rules = {"/x/70-qor-boards.rules", "/y/qor-boards-plugdev.rules"};
  QVERIFY(harness.Run([](CConfigMainDialog&) {}));
  QCOMPARE(harness.MessageTexts(), messages);
}

void MainWindowTest::scanIdentifiesEveryRowThenReadsTheFirst() {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  std::vector<std::string> log;
  QVERIFY(harness.Run([&](CConfigMainDialog&) { log = harness.TakeLog(); }));
  const std::vector<std::string> expected = {
      "list 1",
      "open /dev/hidraw0 -> h1",
      "attributes h1",
      "length h1 33",
      "set h1 [00 ff 0*31]",
      "pause 30",
      "get h1 [00 00 41 42 43 0*28]",
      // The settings reply is selected again with the identification still in the image.
      "set h1 [00 01 41 42 43 0*28]",
      "pause 30",
      "get h1 [00 00 01 02 00 5a 0*27]",
      // The read of the first board needs no write before it.
      "get h1 [00 00 01 02 00 5a 0*27]",
  };
  QCOMPARE(log, expected);
}

void MainWindowTest::rescanClosesEveryOldHandleFirst() {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  harness.Platform.AddBoard("DEF", BoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    harness.Platform.ClearLog();
    Click(dialog, Scan);
    const std::vector<std::string> log = harness.TakeLog();
    QVERIFY(log.size() > 3);
    QCOMPARE(log[0], std::string("close h1"));
    QCOMPARE(log[1], std::string("close h2"));
    QCOMPARE(log[2], std::string("list 2"));
    QCOMPARE(Entries(List(dialog, DeviceList)), (QStringList{"1: ABC", "2: DEF"}));
  }));
}

void MainWindowTest::selectionRereadAndSaveTransferExactly() {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  auto second = harness.Platform.AddBoard(
      "DEF", Image({{report_offset::BoardId, 3}, {report_offset::Mode, 0}, {report_offset::Reserved, 0x77}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    harness.Platform.ClearLog();
    ChooseNext(dialog, DeviceList);
    QCOMPARE(harness.TakeLog(), (std::vector<std::string>{"get h2 [00 00 03 00 00 77 0*27]"}));
    QCOMPARE(List(dialog, BoardIdList)->currentText(), QStringLiteral("4"));

    Click(dialog, Reread);
    QCOMPARE(harness.TakeLog(), (std::vector<std::string>{"get h2 [00 00 03 00 00 77 0*27]"}));

    // A mode chosen by the user reaches the board with the next save, byte 5 as the board sent it.
    ChooseNext(dialog, ModeList);
    QVERIFY(harness.TakeLog().empty());
    Click(dialog, Save);
    QCOMPARE(harness.TakeLog(), (std::vector<std::string>{"set h2 [00 00 03 01 00 77 0*27]", "pause 500",
                                                          "get h2 [00 00 03 01 00 77 0*27]"}));
    QCOMPARE(second->Stored()[report_offset::Mode], std::uint8_t(1));
  }));
  QCOMPARE(harness.Messages.size(), std::size_t(1));
  QCOMPARE(harness.Messages[0].Text, QString(Saved));
  // The wait cursor stays up until the closing message is dismissed, then goes.
  QVERIFY(harness.Messages[0].WaitCursor);
  QVERIFY(!QApplication::overrideCursor());
}

void MainWindowTest::enablingStates_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<bool>("listEnabled");
  QTest::addColumn<QString>("boardControls");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow("loaded") << "none" << true << "1111111" << QStringList{};
  QTest::newRow("link lost") << "unplug, reread" << true << "0000000" << QStringList{LinkLost};
  QTest::newRow("loaded again") << "unplug, reread, replug, scan" << true << "1111111" << QStringList{LinkLost};
  QTest::newRow("no board") << "unplug, scan" << false << "0000000" << QStringList{NoDevices};
  QTest::newRow("failed save") << "unplug, save" << true << "0000000" << QStringList{LinkLost};
}

void MainWindowTest::enablingStates() {
  QFETCH(QString, action);
  QFETCH(bool, listEnabled);
  QFETCH(QString, boardControls);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", BoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    for (const QString& step : action.split(QStringLiteral(", "))) {
      if (step == "unplug") harness.Platform.Unplug(*board);
      if (step == "replug") harness.Platform.Replug(*board);
      if (step == "reread") Click(dialog, Reread);
      if (step == "scan") Click(dialog, Scan);
      if (step == "save") Click(dialog, Save);
    }
    QCOMPARE(List(dialog, DeviceList)->isEnabled(), listEnabled);
    QCOMPARE(Button(dialog, Reread)->isEnabled(), listEnabled);
    QCOMPARE(BoardControlStates(dialog), boardControls);
    // Scan, the mode list and Done are usable in every state.
    QVERIFY(Button(dialog, Scan)->isEnabled());
    QVERIFY(List(dialog, ModeList)->isEnabled());
    QVERIFY(Button(dialog, res::IDOK)->isEnabled());
    // The values on screen stay whatever the state.
    QCOMPARE(List(dialog, ModeList)->currentIndex(), 2);
  }));
  QCOMPARE(harness.MessageTexts(), messages);
  // The controls are disabled only after the user has dismissed the message.
  for (const ShownMessage& message : harness.Messages)
    if (message.Text == LinkLost) QVERIFY(message.BoardControlsEnabled);
}

void MainWindowTest::failedReadAfterScanIsReported() {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  // Identification makes two reads; the third is the settings read.
  harness.Platform.FailGetFeature(3);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(BoardControlStates(dialog), QStringLiteral("0000000"));
    QVERIFY(List(dialog, DeviceList)->isEnabled());
  }));
  QCOMPARE(harness.MessageTexts(), QStringList{LinkLost});
}

void MainWindowTest::failedIdentificationListsTheRowWithoutText() {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  harness.Platform.AddBoard("DEF", BoardAbc);
  // Board 1 takes two writes; the third is board 2's first.
  harness.Platform.FailSetFeature(3);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(Entries(List(dialog, DeviceList)), (QStringList{"1: ABC", "2: "}));
  }));
}

void MainWindowTest::labelsFollowTheModeFromBoardAndUser_data() {
  QTest::addColumn<int>("firstMode");
  QTest::addColumn<int>("secondMode");
  QTest::addColumn<int>("shownMode");
  for (int mode = 0; mode < ModeCount; ++mode) QTest::addRow("mode %d", mode) << (mode + 1) % ModeCount << mode << mode;
  QTest::newRow("mode 9 keeps the last labels") << 3 << 9 << 3;
  QTest::newRow("mode 255 keeps the last labels") << 1 << 255 << 1;
}

void MainWindowTest::labelsFollowTheModeFromBoardAndUser() {
  QFETCH(int, firstMode);
  QFETCH(int, secondMode);
  QFETCH(int, shownMode);
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", Image({{report_offset::Mode, std::uint8_t(firstMode)}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    board->SetFeature(Image({{report_offset::Mode, std::uint8_t(secondMode)}}).data(), SettingsReportSize);
    Click(dialog, Reread);
    const bool inRange = secondMode < ModeCount;
    QCOMPARE(List(dialog, ModeList)->currentIndex(), inRange ? secondMode : -1);
    const WiringLabels& labels = *WiringLabelTable(shownMode);
    for (int position = 0; position < WiringTerminalCount; ++position)
      QCOMPARE(Pin(dialog, position), QString::fromLatin1(labels[position]));
    QCOMPARE(dialog.DlgItem<QLineEdit>(IDC_GROUND)->text(), QStringLiteral("Ground"));
    QCOMPARE(dialog.DlgItem<QLineEdit>(IDC_POWER)->text(), QStringLiteral("Power"));

    // A user's choice changes the labels at once, and nothing else.
    harness.Platform.ClearLog();
    List(dialog, ModeList)->setCurrentIndex(-1);
    QTest::keyClick(List(dialog, ModeList), Qt::Key_Down);
    QCOMPARE(Pin(dialog, 0), QString::fromLatin1((*WiringLabelTable(0))[0]));
    QCOMPARE(Pin(dialog, 10), QString::fromLatin1((*WiringLabelTable(0))[10]));
    QVERIFY(harness.TakeLog().empty());
  }));
}

void MainWindowTest::outOfRangeSelectionsAreSavedAs255() {
  WindowHarness harness;
  auto board = harness.Platform.AddBoard(
      "ABC", Image({{report_offset::BoardId, 7}, {report_offset::Mode, 9}, {report_offset::AnalogInputs, 0xC1}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(List(dialog, BoardIdList)->currentIndex(), -1);
    QCOMPARE(List(dialog, ModeList)->currentIndex(), -1);
    harness.Platform.ClearLog();
    Click(dialog, Save);
  }));
  // The analog byte passes through unchanged while its dialog is not confirmed.
  QCOMPARE(board->Stored()[report_offset::BoardId], std::uint8_t(255));
  QCOMPARE(board->Stored()[report_offset::Mode], std::uint8_t(255));
  QCOMPARE(board->Stored()[report_offset::AnalogInputs], std::uint8_t(0xC1));
  QCOMPARE(harness.MessageTexts(), QStringList{Saved});
}

void MainWindowTest::saveVerification_data() {
  QTest::addColumn<int>("corruptedReplies");
  QTest::addColumn<int>("writes");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow("echoed") << 0 << 1 << QStringList{Saved};
  QTest::newRow("differs once") << 1 << 2 << QStringList{Saved};
  QTest::newRow("differs four times") << 4 << 5 << QStringList{Saved};
  // A board that never echoes what it got is given up on, not retried forever.
  QTest::newRow("differs always") << sim::Always << 5 << QStringList{LinkLost};
}

void MainWindowTest::saveVerification() {
  QFETCH(int, corruptedReplies);
  QFETCH(int, writes);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", BoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    harness.Platform.ClearLog();
    if (corruptedReplies != 0) harness.Platform.CorruptReplies(*board, report_offset::Reserved, corruptedReplies);
    Click(dialog, Save);
    QCOMPARE(harness.Platform.CallCount(sim::CallKind::SetFeature), writes);
    QCOMPARE(harness.Platform.CallCount(sim::CallKind::Pause), writes);
    QCOMPARE(BoardControlStates(dialog),
             messages == QStringList{Saved} ? QStringLiteral("1111111") : QStringLiteral("0000000"));
  }));
  QCOMPARE(harness.MessageTexts(), messages);
  // Saved or not, the closing message is shown under the wait cursor.
  QVERIFY(harness.Messages.back().WaitCursor);
  QVERIFY(!QApplication::overrideCursor());
}

void MainWindowTest::unpluggedBoard_data() {
  QTest::addColumn<int>("control");
  QTest::addColumn<bool>("duringTheWrite");
  QTest::newRow("before a reread") << Reread << false;
  QTest::newRow("before a save") << Save << false;
  // The board took the write, but the transfer failed: no success is claimed.
  QTest::newRow("during a save") << Save << true;
}

void MainWindowTest::unpluggedBoard() {
  QFETCH(int, control);
  QFETCH(bool, duringTheWrite);
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", BoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    if (duringTheWrite)
      harness.Platform.UnplugAfterDelivery(*board);
    else
      harness.Platform.Unplug(*board);
    Click(dialog, control);
    QCOMPARE(BoardControlStates(dialog), QStringLiteral("0000000"));
    QCOMPARE(List(dialog, BoardIdList)->currentText(), QStringLiteral("2"));
    QVERIFY(Button(dialog, Reread)->isEnabled());
  }));
  QCOMPARE(harness.MessageTexts(), QStringList{LinkLost});
}

void MainWindowTest::endingWritesNothing_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("Done") << "done";
  QTest::newRow("Enter") << "enter";
  QTest::newRow("Escape") << "escape";
  QTest::newRow("close box") << "close";
}

void MainWindowTest::endingWritesNothing() {
  QFETCH(QString, how);
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  int result = 0;
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    ChooseNext(dialog, ModeList);
    harness.Platform.ClearLog();
    QSignalSpy finished(dialog.Window(), &QDialog::finished);
    if (how == "done") Click(dialog, res::IDOK);
    if (how == "enter") {
      // Enter with the focus on anything but a push button ends the window too.
      List(dialog, ModeList)->setFocus();
      QVERIFY(List(dialog, ModeList)->hasFocus());
      QTest::keyClick(List(dialog, ModeList), Qt::Key_Return);
    }
    if (how == "escape") QTest::keyClick(List(dialog, ModeList), Qt::Key_Escape);
    if (how == "close") dialog.Window()->close();
    QCOMPARE(finished.count(), 1);
    result = finished.at(0).at(0).toInt();
  }));
  QCOMPARE(result, how == "escape" || how == "close" ? res::IDCANCEL : res::IDOK);
  QCOMPARE(harness.Platform.CallCount(sim::CallKind::SetFeature), 0);
  QVERIFY(harness.Messages.empty());
}

void MainWindowTest::toolTipsAndFixedTexts() {
  WindowHarness harness;
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    const std::pair<int, const char*> tips[] = {
        {IDC_SCAN_DEVICES, "Scan PC for comaptible USB devices."},
        {IDC_REREAD_DEVICE, "Reread status information from selected device."},
        {IDC_DEVICE_LIST, "Please select a device from this list."},
        {IDC_SAVE_SETTINGS, "Save current settings to selected QOR device."},
        {IDOK, "Click to exit."},
        {IDC_ANALOG_SETUP, "Enable or disable analog inputs."},
        {IDC_KEYSTICK_SETUP, "Set deadzone and keycodes for KeyStick mode."},
        {IDC_JOYMOUSE_SETUP, "Set deadzone and mouse speed for JoyMouse mode."},
        {IDC_IMPORT_SETTINGS, "Load QOR settings from a file."},
        {IDC_EXPORT_SETTINGS, "Save QOR settings to a file."},
        {IDC_BOARD_ID_LIST, ""},
        {IDC_MODE_LIST, ""},
        {IDC_PIN_L1, ""},
    };
    for (const auto& [id, tip] : tips) QCOMPARE(dialog.GetDlgItem(id)->toolTip(), QString::fromLatin1(tip));
    QCOMPARE(dialog.Window()->windowTitle(), QStringLiteral("QOR Configuration"));
    QCOMPARE(Entries(List(dialog, BoardIdList)), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(Entries(List(dialog, ModeList)),
             (QStringList{"Single Analog 6-Axis 14 Button Joystick", "Dual Analog 3-Axis 7-Button Joysticks",
                          "Single Digital 10 Button Joystick", "Single 49-way 12 Button Joystick",
                          "Single Analog 2-Axis 14 Button KeyStick"}));
    QVERIFY(!dialog.Window()->windowIcon().isNull());
  }));
}

void MainWindowTest::disabledControlsShowNoTip() {
  WindowHarness harness;  // no board: "Save Settings" is disabled, "Scan Devices" is not
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    const auto hover = [](QWidget* control) {
      QHelpEvent help(QEvent::ToolTip, control->rect().center(), control->mapToGlobal(control->rect().center()));
      QApplication::sendEvent(control, &help);
    };
    QVERIFY(!dialog.GetDlgItem(Save)->isEnabled());
    hover(dialog.GetDlgItem(Save));
    QVERIFY(!QToolTip::isVisible());
    hover(dialog.GetDlgItem(Scan));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Scan PC for comaptible USB devices."));
    QToolTip::hideText();
  }));
  QCOMPARE(harness.MessageTexts(), QStringList{NoDevices});
}

void MainWindowTest::contextMenuOpensTheAboutBox() {
  WindowHarness harness;
  QString aboutTitle;
  QStringList menuTexts;
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QWidget* main = dialog.Window();
    // The menu is up inside the context menu event; the About box opens once it is chosen.
    QTimer::singleShot(0, [&] {
      QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      for (QAction* action : menu->actions())
        menuTexts << (action->isSeparator() ? QStringLiteral("-") : action->text());
      WhenModal(
          [&](QWidget* about) {
            aboutTitle = about->windowTitle();
            QTest::keyClick(about, Qt::Key_Escape);
          },
          main);
      QTest::keyClick(menu, Qt::Key_Up);
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), main->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(main, &event);
  }));
  QCOMPARE(menuTexts.mid(menuTexts.size() - 2), (QStringList{"-", "&About QORConfig..."}));
  QCOMPARE(aboutTitle, QStringLiteral("QOR Configuration"));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
