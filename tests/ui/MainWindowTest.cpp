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
constexpr int kScan = IDC_SCAN_DEVICES, kReread = IDC_REREAD_DEVICE, kDeviceList = IDC_DEVICE_LIST,
              kModeList = IDC_MODE_LIST, kBoardIdList = IDC_BOARD_ID_LIST, kSave = IDC_SAVE_SETTINGS;
// "Save Settings", "Analog Setup", "JoyMouse Setup", the board-ID list,
// "Import Settings", "Export Settings", "KeyStick Setup".
constexpr int kBoardControls[] = {IDC_SAVE_SETTINGS,   IDC_ANALOG_SETUP,    IDC_JOYMOUSE_SETUP, IDC_BOARD_ID_LIST,
                                  IDC_IMPORT_SETTINGS, IDC_EXPORT_SETTINGS, IDC_KEYSTICK_SETUP};

const char* const kNoDevices = "No devices found!";
const char* const kLinkLost = "Device communication interrupted!\nPlease verify device connection.";
const char* const kSaved = "Settings Saved! Please disconnect and reconnect device to apply changes.";

QString Pin(CConfigMainDialog& dialog, int position) {
  return dialog.DlgItem<QLineEdit>(WiringTerminalIds[position])->text();
}

// Which of the board controls are enabled, as a string of 0/1 in their order.
QString BoardControlStates(CConfigMainDialog& dialog) {
  QString states;
  for (int id : kBoardControls) states += dialog.GetDlgItem(id)->isEnabled() ? '1' : '0';
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

const SettingsReport kBoardAbc =
    Image({{ReportOffset::BoardId, 1}, {ReportOffset::Mode, 2}, {ReportOffset::Reserved, 0x5A}});

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
  QTest::newRow("none") << 0 << QStringList{} << QStringList{kNoDevices};
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
    harness.platform.AddBoard("Board " + std::to_string(i),
                              Image({{ReportOffset::BoardId, std::uint8_t(i % 4)}, {ReportOffset::Mode, 1}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(Entries(List(dialog, kDeviceList)), entries);
    QCOMPARE(List(dialog, kDeviceList)->isEnabled(), boards > 0);
    QCOMPARE(Button(dialog, kReread)->isEnabled(), boards > 0);
    QCOMPARE(BoardControlStates(dialog), boards > 0 ? QStringLiteral("1111111") : QStringLiteral("0000000"));
    QVERIFY(Button(dialog, kScan)->isEnabled());
    QVERIFY(List(dialog, kModeList)->isEnabled());
    if (boards == 0) {
      // Nothing was read: the lists have no selection and the terminals no labels.
      QCOMPARE(List(dialog, kBoardIdList)->currentIndex(), -1);
      QCOMPARE(List(dialog, kModeList)->currentIndex(), -1);
      for (int position = 0; position < WiringTerminalCount; ++position) QCOMPARE(Pin(dialog, position), QString());
    } else {
      QCOMPARE(List(dialog, kDeviceList)->currentIndex(), 0);
      QCOMPARE(List(dialog, kBoardIdList)->currentText(), QStringLiteral("2"));
      QCOMPARE(List(dialog, kModeList)->currentIndex(), 1);
    }
    // The eleventh board is never opened.
    QCOMPARE(harness.platform.OpenHandles().size(), std::size_t(std::min(boards, 10)));
  }));
  QCOMPARE(harness.MessageTexts(), messages);
  // The window's link goes with it, and its handles with the link.
  QVERIFY(harness.platform.OpenHandles().empty());
}

void MainWindowTest::noDevicesNamesTheNodesClosedToTheUser_data() {
  QTest::addColumn<int>("boards");
  QTest::addColumn<std::vector<UnopenableBoard>>("closed");
  QTest::addColumn<QStringList>("messages");
  const QString advice = QStringLiteral(
      "This user may not open the QOR board%1: install the qorconfig package's access rule /x/70-qor-boards.rules, "
      "then unplug and replug the board%2 (without a local login, over ssh: /y/qor-boards-plugdev.rules).");
  QTest::newRow("nothing attached") << 0 << std::vector<UnopenableBoard>{} << QStringList{kNoDevices};
  QTest::newRow("one denied") << 0 << std::vector<UnopenableBoard>{{"/dev/hidraw7", EACCES}}
                              << QStringList{kNoDevices + QStringLiteral("\n") + advice.arg(" at /dev/hidraw7", "")};
  QTest::newRow("two, one not permitted")
      << 0 << std::vector<UnopenableBoard>{{"/dev/hidraw2", EPERM}, {"/dev/hidraw9", EACCES}}
      << QStringList{kNoDevices + QStringLiteral("\n") + advice.arg("s at /dev/hidraw2, /dev/hidraw9", "s")};
  // Only access rights are this line's business; a busy node is not.
  QTest::newRow("busy") << 0 << std::vector<UnopenableBoard>{{"/dev/hidraw2", EBUSY}} << QStringList{kNoDevices};
  // A scan that opens a board shows no message at all, as always.
  QTest::newRow("another board opens") << 1 << std::vector<UnopenableBoard>{{"/dev/hidraw7", EACCES}} << QStringList{};
}

void MainWindowTest::noDevicesNamesTheNodesClosedToTheUser() {
  QFETCH(int, boards);
  QFETCH(std::vector<UnopenableBoard>, closed);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  for (int i = 0; i < boards; ++i) harness.platform.AddBoard("ABC", kBoardAbc);
  ClosedBoards probe(closed);
  harness.probe = &probe;
  harness.rules = {"/x/70-qor-boards.rules", "/y/qor-boards-plugdev.rules"};
  QVERIFY(harness.Run([](CConfigMainDialog&) {}));
  QCOMPARE(harness.MessageTexts(), messages);
}

void MainWindowTest::scanIdentifiesEveryRowThenReadsTheFirst() {
  WindowHarness harness;
  harness.platform.AddBoard("ABC", kBoardAbc);
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
  harness.platform.AddBoard("ABC", kBoardAbc);
  harness.platform.AddBoard("DEF", kBoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    harness.platform.ClearLog();
    Click(dialog, kScan);
    const std::vector<std::string> log = harness.TakeLog();
    QVERIFY(log.size() > 3);
    QCOMPARE(log[0], std::string("close h1"));
    QCOMPARE(log[1], std::string("close h2"));
    QCOMPARE(log[2], std::string("list 2"));
    QCOMPARE(Entries(List(dialog, kDeviceList)), (QStringList{"1: ABC", "2: DEF"}));
  }));
}

void MainWindowTest::selectionRereadAndSaveTransferExactly() {
  WindowHarness harness;
  harness.platform.AddBoard("ABC", kBoardAbc);
  auto second = harness.platform.AddBoard(
      "DEF", Image({{ReportOffset::BoardId, 3}, {ReportOffset::Mode, 0}, {ReportOffset::Reserved, 0x77}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    harness.platform.ClearLog();
    ChooseNext(dialog, kDeviceList);
    QCOMPARE(harness.TakeLog(), (std::vector<std::string>{"get h2 [00 00 03 00 00 77 0*27]"}));
    QCOMPARE(List(dialog, kBoardIdList)->currentText(), QStringLiteral("4"));

    Click(dialog, kReread);
    QCOMPARE(harness.TakeLog(), (std::vector<std::string>{"get h2 [00 00 03 00 00 77 0*27]"}));

    // A mode chosen by the user reaches the board with the next save, byte 5 as the board sent it.
    ChooseNext(dialog, kModeList);
    QVERIFY(harness.TakeLog().empty());
    Click(dialog, kSave);
    QCOMPARE(harness.TakeLog(), (std::vector<std::string>{"set h2 [00 00 03 01 00 77 0*27]", "pause 500",
                                                          "get h2 [00 00 03 01 00 77 0*27]"}));
    QCOMPARE(second->Stored()[ReportOffset::Mode], std::uint8_t(1));
  }));
  QCOMPARE(harness.messages.size(), std::size_t(1));
  QCOMPARE(harness.messages[0].text, QString(kSaved));
  // The wait cursor stays up until the closing message is dismissed, then goes.
  QVERIFY(harness.messages[0].waitCursor);
  QVERIFY(!QApplication::overrideCursor());
}

void MainWindowTest::enablingStates_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<bool>("listEnabled");
  QTest::addColumn<QString>("boardControls");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow("loaded") << "none" << true << "1111111" << QStringList{};
  QTest::newRow("link lost") << "unplug, reread" << true << "0000000" << QStringList{kLinkLost};
  QTest::newRow("loaded again") << "unplug, reread, replug, scan" << true << "1111111" << QStringList{kLinkLost};
  QTest::newRow("no board") << "unplug, scan" << false << "0000000" << QStringList{kNoDevices};
  QTest::newRow("failed save") << "unplug, save" << true << "0000000" << QStringList{kLinkLost};
}

void MainWindowTest::enablingStates() {
  QFETCH(QString, action);
  QFETCH(bool, listEnabled);
  QFETCH(QString, boardControls);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  auto board = harness.platform.AddBoard("ABC", kBoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    for (const QString& step : action.split(QStringLiteral(", "))) {
      if (step == "unplug") harness.platform.Unplug(*board);
      if (step == "replug") harness.platform.Replug(*board);
      if (step == "reread") Click(dialog, kReread);
      if (step == "scan") Click(dialog, kScan);
      if (step == "save") Click(dialog, kSave);
    }
    QCOMPARE(List(dialog, kDeviceList)->isEnabled(), listEnabled);
    QCOMPARE(Button(dialog, kReread)->isEnabled(), listEnabled);
    QCOMPARE(BoardControlStates(dialog), boardControls);
    // Scan, the mode list and Done are usable in every state.
    QVERIFY(Button(dialog, kScan)->isEnabled());
    QVERIFY(List(dialog, kModeList)->isEnabled());
    QVERIFY(Button(dialog, res::IDOK)->isEnabled());
    // The values on screen stay whatever the state.
    QCOMPARE(List(dialog, kModeList)->currentIndex(), 2);
  }));
  QCOMPARE(harness.MessageTexts(), messages);
  // The controls are disabled only after the user has dismissed the message.
  for (const ShownMessage& message : harness.messages)
    if (message.text == kLinkLost) QVERIFY(message.boardControlsEnabled);
}

void MainWindowTest::failedReadAfterScanIsReported() {
  WindowHarness harness;
  harness.platform.AddBoard("ABC", kBoardAbc);
  // Identification makes two reads; the third is the settings read.
  harness.platform.FailGetFeature(3);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(BoardControlStates(dialog), QStringLiteral("0000000"));
    QVERIFY(List(dialog, kDeviceList)->isEnabled());
  }));
  QCOMPARE(harness.MessageTexts(), QStringList{kLinkLost});
}

void MainWindowTest::failedIdentificationListsTheRowWithoutText() {
  WindowHarness harness;
  harness.platform.AddBoard("ABC", kBoardAbc);
  harness.platform.AddBoard("DEF", kBoardAbc);
  // Board 1 takes two writes; the third is board 2's first.
  harness.platform.FailSetFeature(3);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(Entries(List(dialog, kDeviceList)), (QStringList{"1: ABC", "2: "}));
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
  auto board = harness.platform.AddBoard("ABC", Image({{ReportOffset::Mode, std::uint8_t(firstMode)}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    board->SetFeature(Image({{ReportOffset::Mode, std::uint8_t(secondMode)}}).data(), SettingsReportSize);
    Click(dialog, kReread);
    const bool inRange = secondMode < ModeCount;
    QCOMPARE(List(dialog, kModeList)->currentIndex(), inRange ? secondMode : -1);
    const WiringLabels& labels = *WiringLabelTable(shownMode);
    for (int position = 0; position < WiringTerminalCount; ++position)
      QCOMPARE(Pin(dialog, position), QString::fromLatin1(labels[position]));
    QCOMPARE(dialog.DlgItem<QLineEdit>(IDC_GROUND)->text(), QStringLiteral("Ground"));
    QCOMPARE(dialog.DlgItem<QLineEdit>(IDC_POWER)->text(), QStringLiteral("Power"));

    // A user's choice changes the labels at once, and nothing else.
    harness.platform.ClearLog();
    List(dialog, kModeList)->setCurrentIndex(-1);
    QTest::keyClick(List(dialog, kModeList), Qt::Key_Down);
    QCOMPARE(Pin(dialog, 0), QString::fromLatin1((*WiringLabelTable(0))[0]));
    QCOMPARE(Pin(dialog, 10), QString::fromLatin1((*WiringLabelTable(0))[10]));
    QVERIFY(harness.TakeLog().empty());
  }));
}

void MainWindowTest::outOfRangeSelectionsAreSavedAs255() {
  WindowHarness harness;
  auto board = harness.platform.AddBoard(
      "ABC", Image({{ReportOffset::BoardId, 7}, {ReportOffset::Mode, 9}, {ReportOffset::AnalogInputs, 0xC1}}));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    QCOMPARE(List(dialog, kBoardIdList)->currentIndex(), -1);
    QCOMPARE(List(dialog, kModeList)->currentIndex(), -1);
    harness.platform.ClearLog();
    Click(dialog, kSave);
  }));
  // The analog byte passes through unchanged while its dialog is not confirmed.
  QCOMPARE(board->Stored()[ReportOffset::BoardId], std::uint8_t(255));
  QCOMPARE(board->Stored()[ReportOffset::Mode], std::uint8_t(255));
  QCOMPARE(board->Stored()[ReportOffset::AnalogInputs], std::uint8_t(0xC1));
  QCOMPARE(harness.MessageTexts(), QStringList{kSaved});
}

void MainWindowTest::saveVerification_data() {
  QTest::addColumn<int>("corruptedReplies");
  QTest::addColumn<int>("writes");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow("echoed") << 0 << 1 << QStringList{kSaved};
  QTest::newRow("differs once") << 1 << 2 << QStringList{kSaved};
  QTest::newRow("differs four times") << 4 << 5 << QStringList{kSaved};
  // A board that never echoes what it got is given up on, not retried forever.
  QTest::newRow("differs always") << sim::Always << 5 << QStringList{kLinkLost};
}

void MainWindowTest::saveVerification() {
  QFETCH(int, corruptedReplies);
  QFETCH(int, writes);
  QFETCH(QStringList, messages);
  WindowHarness harness;
  auto board = harness.platform.AddBoard("ABC", kBoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    harness.platform.ClearLog();
    if (corruptedReplies != 0) harness.platform.CorruptReplies(*board, ReportOffset::Reserved, corruptedReplies);
    Click(dialog, kSave);
    QCOMPARE(harness.platform.CallCount(sim::CallKind::SetFeature), writes);
    QCOMPARE(harness.platform.CallCount(sim::CallKind::Pause), writes);
    QCOMPARE(BoardControlStates(dialog),
             messages == QStringList{kSaved} ? QStringLiteral("1111111") : QStringLiteral("0000000"));
  }));
  QCOMPARE(harness.MessageTexts(), messages);
  // Saved or not, the closing message is shown under the wait cursor.
  QVERIFY(harness.messages.back().waitCursor);
  QVERIFY(!QApplication::overrideCursor());
}

void MainWindowTest::unpluggedBoard_data() {
  QTest::addColumn<int>("control");
  QTest::addColumn<bool>("duringTheWrite");
  QTest::newRow("before a reread") << kReread << false;
  QTest::newRow("before a save") << kSave << false;
  // The board took the write, but the transfer failed: no success is claimed.
  QTest::newRow("during a save") << kSave << true;
}

void MainWindowTest::unpluggedBoard() {
  QFETCH(int, control);
  QFETCH(bool, duringTheWrite);
  WindowHarness harness;
  auto board = harness.platform.AddBoard("ABC", kBoardAbc);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    if (duringTheWrite)
      harness.platform.UnplugAfterDelivery(*board);
    else
      harness.platform.Unplug(*board);
    Click(dialog, control);
    QCOMPARE(BoardControlStates(dialog), QStringLiteral("0000000"));
    QCOMPARE(List(dialog, kBoardIdList)->currentText(), QStringLiteral("2"));
    QVERIFY(Button(dialog, kReread)->isEnabled());
  }));
  QCOMPARE(harness.MessageTexts(), QStringList{kLinkLost});
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
  harness.platform.AddBoard("ABC", kBoardAbc);
  int result = 0;
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    ChooseNext(dialog, kModeList);
    harness.platform.ClearLog();
    QSignalSpy finished(dialog.Window(), &QDialog::finished);
    if (how == "done") Click(dialog, res::IDOK);
    if (how == "enter") {
      // Enter with the focus on anything but a push button ends the window too.
      List(dialog, kModeList)->setFocus();
      QVERIFY(List(dialog, kModeList)->hasFocus());
      QTest::keyClick(List(dialog, kModeList), Qt::Key_Return);
    }
    if (how == "escape") QTest::keyClick(List(dialog, kModeList), Qt::Key_Escape);
    if (how == "close") dialog.Window()->close();
    QCOMPARE(finished.count(), 1);
    result = finished.at(0).at(0).toInt();
  }));
  QCOMPARE(result, how == "escape" || how == "close" ? res::IDCANCEL : res::IDOK);
  QCOMPARE(harness.platform.CallCount(sim::CallKind::SetFeature), 0);
  QVERIFY(harness.messages.empty());
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
    QCOMPARE(Entries(List(dialog, kBoardIdList)), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(Entries(List(dialog, kModeList)),
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
    QVERIFY(!dialog.GetDlgItem(kSave)->isEnabled());
    hover(dialog.GetDlgItem(kSave));
    QVERIFY(!QToolTip::isVisible());
    hover(dialog.GetDlgItem(kScan));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Scan PC for comaptible USB devices."));
    QToolTip::hideText();
  }));
  QCOMPARE(harness.MessageTexts(), QStringList{kNoDevices});
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
