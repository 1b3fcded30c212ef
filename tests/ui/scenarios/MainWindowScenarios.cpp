// The main window over virtual boards: the scan, the selections, the wiring
// labels, the save with its read-back, the enabling states and the ways out,
// driven as a person would on the toolkit in use.

#include <gtest/gtest.h>

#include "Scenario.h"
#include "tests/support/RowName.h"
#include "ui/WiringLabels.h"

namespace qor::test {
namespace {

using res::IDC_BOARD_ID_LIST, res::IDC_DEVICE_LIST, res::IDC_MODE_LIST, res::IDC_REREAD_DEVICE, res::IDC_SAVE_SETTINGS,
    res::IDC_SCAN_DEVICES;
using ui::CConfigMainDialog;

// "Save Settings", "Analog Setup", "JoyMouse Setup", the board-ID list,
// "Import Settings", "Export Settings", "KeyStick Setup".
constexpr res::ControlId BoardControls[] = {res::IDC_SAVE_SETTINGS, res::IDC_ANALOG_SETUP,    res::IDC_JOYMOUSE_SETUP,
                                            res::IDC_BOARD_ID_LIST, res::IDC_IMPORT_SETTINGS, res::IDC_EXPORT_SETTINGS,
                                            res::IDC_KEYSTICK_SETUP};

// Which of the board controls are enabled, as 0/1 in their order.
std::string BoardControlStates(const CConfigMainDialog& dialog) {
  std::string states;
  for (const res::ControlId id : BoardControls) states += Enabled(dialog, id) ? '1' : '0';
  return states;
}

std::string Pin(const CConfigMainDialog& dialog, int position) { return Text(dialog, WiringTerminalIds[position]); }

const SettingsReport BoardAbc =
    Image({{report_offset::BoardId, 1}, {report_offset::Mode, 2}, {report_offset::Reserved, 0x5A}});

class FixedHint final : public NoBoardsHint {
 public:
  explicit FixedHint(std::string text) : m_Text(std::move(text)) {}
  std::string Hint(const std::vector<UnopenedInterface>&) override { return m_Text; }

 private:
  std::string m_Text;
};

// ---- The scan at start ----

struct StartRow {
  const char* Name;
  int Boards;
  const char* Hint;  // nullptr: the platform has no hint provider
  Texts Messages;
};
void PrintTo(const StartRow& row, std::ostream* os) { *os << row.Name; }

class ScanAtStart : public ::testing::TestWithParam<StartRow> {};

TEST_P(ScanAtStart, FillsTheListAndEnablesTheControls) {
  const StartRow& row = GetParam();
  WindowHarness harness;
  std::optional<FixedHint> hint;
  if (row.Hint) harness.Hint = &hint.emplace(row.Hint);
  for (int i = 1; i <= row.Boards; ++i)
    harness.Platform.AddBoard("Board " + std::to_string(i),
                              Image({{report_offset::BoardId, std::uint8_t(i % 4)}, {report_offset::Mode, 1}}));
  Texts entries;
  for (int i = 1; i <= std::min(row.Boards, 10); ++i)
    entries.push_back(std::to_string(i) + ": Board " + std::to_string(i));
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    EXPECT_EQ(Entries(List(dialog, IDC_DEVICE_LIST)), entries);
    EXPECT_EQ(Enabled(dialog, IDC_DEVICE_LIST), row.Boards > 0);
    EXPECT_EQ(Enabled(dialog, IDC_REREAD_DEVICE), row.Boards > 0);
    EXPECT_EQ(BoardControlStates(dialog), row.Boards > 0 ? "1111111" : "0000000");
    EXPECT_TRUE(Enabled(dialog, IDC_SCAN_DEVICES));
    EXPECT_TRUE(Enabled(dialog, IDC_MODE_LIST));
    if (row.Boards == 0) {
      // Nothing was read: the lists have no selection and the terminals no labels.
      EXPECT_EQ(List(dialog, IDC_BOARD_ID_LIST).GetCurSel(), -1);
      EXPECT_EQ(List(dialog, IDC_MODE_LIST).GetCurSel(), -1);
      for (int position = 0; position < WiringTerminalCount; ++position) EXPECT_EQ(Pin(dialog, position), "");
    } else {
      EXPECT_EQ(List(dialog, IDC_DEVICE_LIST).GetCurSel(), 0);
      EXPECT_EQ(Text(dialog, IDC_BOARD_ID_LIST), "2");
      EXPECT_EQ(List(dialog, IDC_MODE_LIST).GetCurSel(), 1);
    }
    // The eleventh board is never opened.
    EXPECT_EQ(harness.Platform.OpenHandles().size(), std::size_t(std::min(row.Boards, 10)));
  }));
  EXPECT_EQ(harness.MessageTexts(), row.Messages);
  // The window's link goes with it, and its handles with the link.
  EXPECT_TRUE(harness.Platform.OpenHandles().empty());
}

INSTANTIATE_TEST_SUITE_P(Boards, ScanAtStart,
                         ::testing::Values(StartRow{"none", 0, nullptr, {NoDevices}}, StartRow{"one", 1, nullptr, {}},
                                           StartRow{"two", 2, nullptr, {}}, StartRow{"eleven", 11, nullptr, {}},
                                           // The platform's hint stands on a line of its own; an empty one adds none.
                                           StartRow{"none with a hint",
                                                    0,
                                                    "Boards at /dev/hidraw7 closed",
                                                    {NoDevices + "\nBoards at /dev/hidraw7 closed"}},
                                           StartRow{"none with an empty hint", 0, "", {NoDevices}},
                                           StartRow{"a board and a hint", 1, "hint", {}}),
                         RowName());

TEST(MainWindow, ScanIdentifiesEveryRowThenReadsTheFirst) {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  std::vector<std::string> log;
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog&) { log = harness.TakeLog(); }));
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
  EXPECT_EQ(log, expected);
}

TEST(MainWindow, RescanClosesEveryOldHandleFirst) {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  harness.Platform.AddBoard("DEF", BoardAbc);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    harness.Platform.ClearLog();
    TheDriver().Click(dialog, IDC_SCAN_DEVICES);
    const std::vector<std::string> log = harness.TakeLog();
    ASSERT_GT(log.size(), 3u);
    EXPECT_EQ(log[0], "close h1");
    EXPECT_EQ(log[1], "close h2");
    EXPECT_EQ(log[2], "list 2");
    EXPECT_EQ(Entries(List(dialog, IDC_DEVICE_LIST)), (Texts{"1: ABC", "2: DEF"}));
  }));
}

// A board's text is single-byte (Latin-1): shown as such, not as UTF-8.
TEST(MainWindow, BoardTextsAreLatin1) {
  WindowHarness harness;
  harness.Platform.AddBoard("Caf\xe9 \xb5", BoardAbc);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    EXPECT_EQ(Entries(List(dialog, IDC_DEVICE_LIST)), Texts{"1: Caf\xc3\xa9 \xc2\xb5"});
  }));
}

TEST(MainWindow, SelectionRereadAndSaveTransferExactly) {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  auto second = harness.Platform.AddBoard(
      "DEF", Image({{report_offset::BoardId, 3}, {report_offset::Mode, 0}, {report_offset::Reserved, 0x77}}));
  Driver& user = TheDriver();
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    harness.Platform.ClearLog();
    user.ChooseNext(dialog, IDC_DEVICE_LIST);
    EXPECT_EQ(harness.TakeLog(), (std::vector<std::string>{"get h2 [00 00 03 00 00 77 0*27]"}));
    EXPECT_EQ(Text(dialog, IDC_BOARD_ID_LIST), "4");

    user.Click(dialog, IDC_REREAD_DEVICE);
    EXPECT_EQ(harness.TakeLog(), (std::vector<std::string>{"get h2 [00 00 03 00 00 77 0*27]"}));

    // A mode chosen by the user reaches the board with the next save, byte 5 as the board sent it.
    user.ChooseNext(dialog, IDC_MODE_LIST);
    EXPECT_TRUE(harness.TakeLog().empty());
    user.Click(dialog, IDC_SAVE_SETTINGS);
    EXPECT_EQ(harness.TakeLog(), (std::vector<std::string>{"set h2 [00 00 03 01 00 77 0*27]", "pause 500",
                                                           "get h2 [00 00 03 01 00 77 0*27]"}));
    EXPECT_EQ(second->Stored()[report_offset::Mode], 1);
  }));
  ASSERT_EQ(harness.Messages.size(), 1u);
  EXPECT_EQ(harness.Messages[0].Text, Saved);
  // The wait cursor stays up until the closing message is dismissed, then goes.
  EXPECT_TRUE(harness.Messages[0].WaitCursor);
  EXPECT_FALSE(TheDriver().WaitCursorShown());
}

// ---- Enabling states ----

struct StateRow {
  const char* Steps;
  bool ListEnabled;
  const char* BoardControls;
  Texts Messages;
};
void PrintTo(const StateRow& row, std::ostream* os) { *os << row.Steps; }

class EnablingState : public ::testing::TestWithParam<StateRow> {};

TEST_P(EnablingState, FollowsScanReadAndSave) {
  const StateRow& row = GetParam();
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", BoardAbc);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    std::string steps = row.Steps;
    for (std::size_t start = 0; start < steps.size();) {
      const std::size_t end = std::min(steps.find(", ", start), steps.size());
      const std::string step = steps.substr(start, end - start);
      start = end + 2;
      if (step == "unplug") harness.Platform.Unplug(*board);
      if (step == "replug") harness.Platform.Replug(*board);
      if (step == "reread") TheDriver().Click(dialog, IDC_REREAD_DEVICE);
      if (step == "scan") TheDriver().Click(dialog, IDC_SCAN_DEVICES);
      if (step == "save") TheDriver().Click(dialog, IDC_SAVE_SETTINGS);
    }
    EXPECT_EQ(Enabled(dialog, IDC_DEVICE_LIST), row.ListEnabled);
    EXPECT_EQ(Enabled(dialog, IDC_REREAD_DEVICE), row.ListEnabled);
    EXPECT_EQ(BoardControlStates(dialog), row.BoardControls);
    // Scan, the mode list and Done are usable in every state.
    EXPECT_TRUE(Enabled(dialog, IDC_SCAN_DEVICES));
    EXPECT_TRUE(Enabled(dialog, IDC_MODE_LIST));
    EXPECT_TRUE(Enabled(dialog, res::IDOK));
    // The values on screen stay whatever the state.
    EXPECT_EQ(List(dialog, IDC_MODE_LIST).GetCurSel(), 2);
  }));
  EXPECT_EQ(harness.MessageTexts(), row.Messages);
  // The controls are disabled only after the user has dismissed the message.
  for (const ShownMessage& message : harness.Messages)
    EXPECT_TRUE(message.Text != LinkLost || message.BoardControlsEnabled);
}

INSTANTIATE_TEST_SUITE_P(States, EnablingState,
                         ::testing::Values(StateRow{"none", true, "1111111", {}},
                                           StateRow{"unplug, reread", true, "0000000", {LinkLost}},
                                           StateRow{"unplug, reread, replug, scan", true, "1111111", {LinkLost}},
                                           StateRow{"unplug, scan", false, "0000000", {NoDevices}},
                                           StateRow{"unplug, save", true, "0000000", {LinkLost}}),
                         RowName());

TEST(MainWindow, FailedReadAfterScanIsReported) {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  // Identification makes two reads; the third is the settings read.
  harness.Platform.FailGetFeature(3);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    EXPECT_EQ(BoardControlStates(dialog), "0000000");
    EXPECT_TRUE(Enabled(dialog, IDC_DEVICE_LIST));
  }));
  EXPECT_EQ(harness.MessageTexts(), Texts{LinkLost});
}

TEST(MainWindow, FailedIdentificationListsTheRowWithoutText) {
  WindowHarness harness;
  harness.Platform.AddBoard("ABC", BoardAbc);
  harness.Platform.AddBoard("DEF", BoardAbc);
  // Board 1 takes two writes; the third is board 2's first.
  harness.Platform.FailSetFeature(3);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    EXPECT_EQ(Entries(List(dialog, IDC_DEVICE_LIST)), (Texts{"1: ABC", "2: "}));
  }));
}

// ---- Wiring labels ----

struct LabelRow {
  int FirstMode;
  int SecondMode;
  int ShownMode;
};
void PrintTo(const LabelRow& row, std::ostream* os) {
  *os << "mode " << row.SecondMode << " after " << row.FirstMode << " shows " << row.ShownMode;
}

class WiringLabelsShown : public ::testing::TestWithParam<LabelRow> {};

TEST_P(WiringLabelsShown, FollowTheModeFromBoardAndUser) {
  const LabelRow& row = GetParam();
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", Image({{report_offset::Mode, std::uint8_t(row.FirstMode)}}));
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    board->SetFeature(Image({{report_offset::Mode, std::uint8_t(row.SecondMode)}}).data(), SettingsReportSize);
    TheDriver().Click(dialog, IDC_REREAD_DEVICE);
    EXPECT_EQ(List(dialog, IDC_MODE_LIST).GetCurSel(), row.SecondMode < ModeCount ? row.SecondMode : -1);
    const WiringLabels& labels = *WiringLabelTable(row.ShownMode);
    for (int position = 0; position < WiringTerminalCount; ++position)
      EXPECT_EQ(Pin(dialog, position), labels[position]) << "terminal " << position;
    EXPECT_EQ(Text(dialog, res::IDC_GROUND), "Ground");
    EXPECT_EQ(Text(dialog, res::IDC_POWER), "Power");

    // A user's choice changes the labels at once, and nothing else.
    harness.Platform.ClearLog();
    List(dialog, IDC_MODE_LIST).SetCurSel(1);
    TheDriver().Press(dialog, IDC_MODE_LIST, Key::Up);
    EXPECT_EQ(Pin(dialog, 0), (*WiringLabelTable(0))[0]);
    EXPECT_EQ(Pin(dialog, 10), (*WiringLabelTable(0))[10]);
    EXPECT_TRUE(harness.TakeLog().empty());
  }));
}

INSTANTIATE_TEST_SUITE_P(Modes, WiringLabelsShown,
                         ::testing::Values(LabelRow{1, 0, 0}, LabelRow{2, 1, 1}, LabelRow{3, 2, 2}, LabelRow{4, 3, 3},
                                           LabelRow{0, 4, 4},
                                           // Outside the modes the last labels stay.
                                           LabelRow{3, 9, 3}, LabelRow{1, 255, 1}),
                         RowName());

TEST(MainWindow, ListsHoldTheBoardIdsAndModes) {
  WindowHarness harness;
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    EXPECT_EQ(Entries(List(dialog, IDC_BOARD_ID_LIST)), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(Entries(List(dialog, IDC_MODE_LIST)),
              (Texts{"Single Analog 6-Axis 14 Button Joystick", "Dual Analog 3-Axis 7-Button Joysticks",
                     "Single Digital 10 Button Joystick", "Single 49-way 12 Button Joystick",
                     "Single Analog 2-Axis 14 Button KeyStick"}));
  }));
}

TEST(MainWindow, OutOfRangeSelectionsAreSavedAs255) {
  WindowHarness harness;
  auto board = harness.Platform.AddBoard(
      "ABC", Image({{report_offset::BoardId, 7}, {report_offset::Mode, 9}, {report_offset::AnalogInputs, 0xC1}}));
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    EXPECT_EQ(List(dialog, IDC_BOARD_ID_LIST).GetCurSel(), -1);
    EXPECT_EQ(List(dialog, IDC_MODE_LIST).GetCurSel(), -1);
    TheDriver().Click(dialog, IDC_SAVE_SETTINGS);
  }));
  // The analog byte passes through unchanged while its dialog is not confirmed.
  EXPECT_EQ(board->Stored()[report_offset::BoardId], 255);
  EXPECT_EQ(board->Stored()[report_offset::Mode], 255);
  EXPECT_EQ(board->Stored()[report_offset::AnalogInputs], 0xC1);
  EXPECT_EQ(harness.MessageTexts(), Texts{Saved});
}

// ---- Save ----

struct SaveRow {
  const char* Name;
  int CorruptedReplies;
  int Writes;
  Texts Messages;
};
void PrintTo(const SaveRow& row, std::ostream* os) { *os << row.Name; }

class SaveVerification : public ::testing::TestWithParam<SaveRow> {};

TEST_P(SaveVerification, WritesAgainWhileTheReadBackDiffers) {
  const SaveRow& row = GetParam();
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", BoardAbc);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    harness.Platform.ClearLog();
    if (row.CorruptedReplies != 0)
      harness.Platform.CorruptReplies(*board, report_offset::Reserved, row.CorruptedReplies);
    TheDriver().Click(dialog, IDC_SAVE_SETTINGS);
    EXPECT_EQ(harness.Platform.CallCount(sim::CallKind::SetFeature), row.Writes);
    EXPECT_EQ(harness.Platform.CallCount(sim::CallKind::Pause), row.Writes);
    EXPECT_EQ(BoardControlStates(dialog), row.Messages == Texts{Saved} ? "1111111" : "0000000");
  }));
  EXPECT_EQ(harness.MessageTexts(), row.Messages);
  // Saved or not, the closing message is shown under the wait cursor.
  EXPECT_TRUE(harness.Messages.back().WaitCursor);
  EXPECT_FALSE(TheDriver().WaitCursorShown());
}

INSTANTIATE_TEST_SUITE_P(ReadBacks, SaveVerification,
                         ::testing::Values(SaveRow{"echoed", 0, 1, {Saved}}, SaveRow{"differs once", 1, 2, {Saved}},
                                           SaveRow{"differs four times", 4, 5, {Saved}},
                                           // A board that never echoes what it got is given up on.
                                           SaveRow{"differs always", sim::Always, 5, {LinkLost}}),
                         RowName());

struct UnplugRow {
  const char* Name;
  res::ControlId Control;
  bool DuringTheWrite;
};
void PrintTo(const UnplugRow& row, std::ostream* os) { *os << row.Name; }

class UnpluggedBoard : public ::testing::TestWithParam<UnplugRow> {};

TEST_P(UnpluggedBoard, ReportsTheLinkLostAndKeepsTheValues) {
  const UnplugRow& row = GetParam();
  WindowHarness harness;
  auto board = harness.Platform.AddBoard("ABC", BoardAbc);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    if (row.DuringTheWrite)
      harness.Platform.UnplugAfterDelivery(*board);
    else
      harness.Platform.Unplug(*board);
    TheDriver().Click(dialog, row.Control);
    EXPECT_EQ(BoardControlStates(dialog), "0000000");
    EXPECT_EQ(Text(dialog, IDC_BOARD_ID_LIST), "2");
    EXPECT_TRUE(Enabled(dialog, IDC_REREAD_DEVICE));
  }));
  EXPECT_EQ(harness.MessageTexts(), Texts{LinkLost});
}

INSTANTIATE_TEST_SUITE_P(Moments, UnpluggedBoard,
                         ::testing::Values(UnplugRow{"before a reread", IDC_REREAD_DEVICE, false},
                                           UnplugRow{"before a save", IDC_SAVE_SETTINGS, false},
                                           // The board took the write, but the transfer failed: no success is claimed.
                                           UnplugRow{"during a save", IDC_SAVE_SETTINGS, true}),
                         RowName());

// ---- The ways out ----

enum class Way { Done, Enter, Escape, CloseBox };
void PrintTo(Way way, std::ostream* os) {
  const char* names[] = {"Done", "Enter", "Escape", "close box"};
  *os << names[static_cast<int>(way)];
}

class EndingTheWindow : public ::testing::TestWithParam<Way> {};

TEST_P(EndingTheWindow, WritesNothing) {
  const Way way = GetParam();
  sim::SimPlatform platform;
  platform.AddBoard("ABC", BoardAbc);
  DeviceLink link(platform);
  ui::CConfigMainDialog dialog(link);
  Driver& user = TheDriver();
  int result = 0;
  ASSERT_TRUE(user.DriveModal(
      dialog, [&] { result = dialog.DoModal(); },
      [&] {
        user.ChooseNext(dialog, IDC_MODE_LIST);
        platform.ClearLog();
        // Enter with the focus on anything but a push button ends the window too.
        if (way == Way::Done) user.Click(dialog, res::IDOK);
        if (way == Way::Enter) user.Press(dialog, IDC_MODE_LIST, Key::Enter);
        if (way == Way::Escape) user.Press(dialog, IDC_MODE_LIST, Key::Escape);
        if (way == Way::CloseBox) user.CloseBox(dialog);
        EXPECT_FALSE(user.IsShown(dialog));
      },
      99));
  EXPECT_EQ(result, way == Way::Escape || way == Way::CloseBox ? res::IDCANCEL : res::IDOK);
  EXPECT_EQ(platform.CallCount(sim::CallKind::SetFeature), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTheWindow, ::testing::Values(Way::Done, Way::Enter, Way::Escape, Way::CloseBox),
                         RowName());

}  // namespace
}  // namespace qor::test
