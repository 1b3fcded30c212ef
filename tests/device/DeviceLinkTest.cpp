#include "device/DeviceLink.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/SimPlatform.h"

namespace qor {
namespace {

using sim::CallKind;
using sim::SimPlatform;
using sim::VirtualBoard;
using Lines = std::vector<std::string>;

constexpr std::size_t TextCapacity = IdentificationTextCapacity;

// What the board holds before each test: a value in every byte, byte 5 included.
SettingsReport BoardSettings() {
  SettingsReport image{};
  for (std::size_t i = 2; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x20 + i);
  return image;
}

// What the program saves: other values everywhere, byte 5 as the board sent it.
SettingsReport NewSettings() {
  SettingsReport image{};
  for (std::size_t i = 2; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x90 + i);
  image[ReportOffset::Reserved] = BoardSettings()[ReportOffset::Reserved];
  return image;
}

SettingsReport Altered(SettingsReport image, std::size_t offset) {
  image[offset] ^= 0xFF;
  return image;
}

std::string Transfer(CallKind kind, const SettingsReport& bytes) {
  return sim::Render({.Kind = kind, .Handle = 1, .Bytes = {bytes.begin(), bytes.end()}});
}
std::string Set(const SettingsReport& bytes) { return Transfer(CallKind::SetFeature, bytes); }
std::string Get(const SettingsReport& bytes) { return Transfer(CallKind::GetFeature, bytes); }

// One board, scanned; its configuration interface is open as h1 in row 0.
class DeviceLinkTest : public testing::Test {
 protected:
  void Attach(std::string identification) {
    board = platform.AddBoard(std::move(identification), BoardSettings());
    link.Table().Scan();
    ASSERT_EQ(link.Table().Count(), 1);
    ASSERT_EQ(link.Table().Entry(0).Handle, 1);
    platform.ClearLog();
  }
  void SetUp() override { Attach("ABC"); }

  int Transfers() const {
    return platform.CallCount(CallKind::GetFeature) + platform.CallCount(CallKind::SetFeature);
  }
  bool Identify() { return link.IdentifyDevice(0, text, TextCapacity); }
  bool Save() {
    return link.SaveDeviceSettings(0, NewSettings()) == SaveOutcome::Saved;
  }

  SimPlatform platform;
  std::shared_ptr<VirtualBoard> board;
  DeviceLink link{platform};
  char text[TextCapacity] = "unchanged";
};

TEST_F(DeviceLinkTest, IdentifySelectsTheTextThenTheSettingsAgain) {
  ASSERT_TRUE(link.ReadDeviceSettings(0));
  platform.ClearLog();
  SettingsReport previous = BoardSettings();  // as the read left it
  previous[ReportOffset::Command] = CommandIdentify;

  ASSERT_TRUE(Identify());

  EXPECT_EQ(platform.LogLines(), (Lines{
                                     Set(previous),
                                     "pause 30",
                                     "get h1 [00 00 41 42 43 0*28]",
                                     "set h1 [00 01 41 42 43 0*28]",
                                     "pause 30",
                                     Get(BoardSettings()),
                                 }));
  EXPECT_EQ(std::string(text), "ABC");
  EXPECT_FALSE(board->IdentificationSelected());
  EXPECT_EQ(board->Stored(), BoardSettings()) << "identification stores nothing";
}

TEST_F(DeviceLinkTest, ReadIsOneGetAndNoWrite) {
  ASSERT_TRUE(link.ReadDeviceSettings(0));
  EXPECT_EQ(platform.LogLines(), Lines{Get(BoardSettings())});
  EXPECT_EQ(link.ReportImage(), BoardSettings());
}

TEST_F(DeviceLinkTest, ReadRightAfterIdentificationGetsTheSettings) {
  ASSERT_TRUE(Identify());
  platform.ClearLog();
  ASSERT_TRUE(link.ReadDeviceSettings(0));
  EXPECT_EQ(platform.LogLines(), Lines{Get(BoardSettings())});
}

TEST_F(DeviceLinkTest, ReadRightAfterSaveGetsTheSavedSettings) {
  ASSERT_TRUE(Save());
  platform.ClearLog();
  ASSERT_TRUE(link.ReadDeviceSettings(0));
  EXPECT_EQ(platform.LogLines(), Lines{Get(NewSettings())});
}

// Save: the steps each case expects, written with the image W the program saves:
// "set" writes W, "get" reads W back, "get~N" reads W with byte N altered.
struct SaveCase {
  const char* Name;
  std::function<void(SimPlatform&, const VirtualBoard&)> Fault;
  Lines Steps;
  SaveOutcome Outcome;
  friend void PrintTo(const SaveCase& row, std::ostream* out) { *out << row.Name; }
};

class SaveTest : public DeviceLinkTest, public testing::WithParamInterface<SaveCase> {};

Lines Expand(const Lines& steps) {
  Lines lines;
  for (const std::string& step : steps) {
    if (step == "set") lines.push_back(Set(NewSettings()));
    else if (step == "get") lines.push_back(Get(NewSettings()));
    else if (step.starts_with("get~")) lines.push_back(Get(Altered(NewSettings(), std::stoul(step.substr(4)))));
    else if (step == "set failed") lines.push_back(Set(NewSettings()) + " failed");
    else lines.push_back(step);
  }
  return lines;
}

TEST_P(SaveTest, WritesAndVerifiesByReadBack) {
  GetParam().Fault(platform, *board);

  EXPECT_EQ(link.SaveDeviceSettings(0, NewSettings()), GetParam().Outcome);

  EXPECT_EQ(platform.LogLines(), Expand(GetParam().Steps));
  if (GetParam().Outcome == SaveOutcome::Saved) {
    EXPECT_EQ(link.ReportImage(), NewSettings());
  }
}

const Lines Attempt = {"set", "pause 500", "get~5"};
Lines Repeat(const Lines& steps, int times) {
  Lines all;
  for (int i = 0; i < times; ++i) all.insert(all.end(), steps.begin(), steps.end());
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveTest,
    testing::Values(
        SaveCase{"Echoed", [](SimPlatform&, const VirtualBoard&) {}, {"set", "pause 500", "get"}, SaveOutcome::Saved},
        SaveCase{"Byte5DiffersOnce",
                 [](SimPlatform& p, const VirtualBoard& b) { p.CorruptReplies(b, 5); },
                 {"set", "pause 500", "get~5", "set", "pause 500", "get"},
                 SaveOutcome::Saved},
        SaveCase{"CommandByteDiffersOnce",
                 [](SimPlatform& p, const VirtualBoard& b) { p.CorruptReplies(b, 1); },
                 {"set", "pause 500", "get~1", "set", "pause 500", "get"},
                 SaveOutcome::Saved},
        SaveCase{"ReadBackKeepsDiffering",
                 [](SimPlatform& p, const VirtualBoard& b) { p.CorruptReplies(b, 5, sim::Always); },
                 Repeat(Attempt, MaxSaveAttempts),
                 SaveOutcome::CommunicationFailure},
        SaveCase{"FirstWriteFails",
                 [](SimPlatform& p, const VirtualBoard&) { p.FailSetFeature(); },
                 {"set failed"},
                 SaveOutcome::CommunicationFailure},
        SaveCase{"ReadBackFails",
                 [](SimPlatform& p, const VirtualBoard&) { p.FailGetFeature(); },
                 {"set", "pause 500", "get h1 failed"},
                 SaveOutcome::CommunicationFailure},
        SaveCase{"RetryWriteFails",
                 [](SimPlatform& p, const VirtualBoard& b) {
                   p.CorruptReplies(b, 5);
                   p.FailSetFeature(2);
                 },
                 {"set", "pause 500", "get~5", "set failed"},
                 SaveOutcome::CommunicationFailure}),
    [](const auto& info) { return info.param.Name; });

TEST_F(DeviceLinkTest, SavedSettingsAreStoredOnTheBoard) {
  ASSERT_TRUE(Save());
  EXPECT_EQ(board->Stored(), NewSettings());
}

// A board pulled out right after it took the write: the save is reported as
// failed, the honest outcome, though the board holds the new settings.
TEST_F(DeviceLinkTest, BoardLeavingAfterTakingTheWriteFailsTheSaveButKeepsTheWrite) {
  platform.UnplugAfterDelivery(*board);
  EXPECT_FALSE(Save());
  EXPECT_EQ(platform.LogLines(), Lines{Set(NewSettings()) + " failed"});
  EXPECT_EQ(board->Stored(), NewSettings());
  link.Table().Scan();
  EXPECT_EQ(link.Table().Count(), 0);
}

// Every transfer of each transaction failing once, and an unplugged board.
enum class Transaction { Identify, Read, Save };

struct FaultCase {
  const char* Name;
  Transaction Run;
  std::function<void(SimPlatform&, const VirtualBoard&)> Fault;
  bool Succeeds;
  int TransfersMade;
  bool TextChanged = false;
  friend void PrintTo(const FaultCase& row, std::ostream* out) { *out << row.Name; }
};

class FaultPointTest : public DeviceLinkTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(FaultPointTest, EndsAtTheFirstFailingTransfer) {
  GetParam().Fault(platform, *board);
  bool succeeded = false;
  switch (GetParam().Run) {
    case Transaction::Identify: succeeded = Identify(); break;
    case Transaction::Read: succeeded = link.ReadDeviceSettings(0); break;
    case Transaction::Save: succeeded = Save(); break;
  }
  EXPECT_EQ(succeeded, GetParam().Succeeds);
  EXPECT_EQ(Transfers(), GetParam().TransfersMade);
  EXPECT_EQ(std::string(text), GetParam().TextChanged ? "ABC" : "unchanged");
}

std::function<void(SimPlatform&, const VirtualBoard&)> FailTransfer(int nth) {
  return [nth](SimPlatform& p, const VirtualBoard&) { p.FailTransfer(nth); };
}
void Unplug(SimPlatform& p, const VirtualBoard& b) { p.Unplug(b); }

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultPointTest,
    testing::Values(
        FaultCase{"IdentifyFirstWrite", Transaction::Identify, FailTransfer(1), false, 1},
        FaultCase{"IdentifyFirstRead", Transaction::Identify, FailTransfer(2), false, 2},
        FaultCase{"IdentifySecondWrite", Transaction::Identify, FailTransfer(3), false, 3, true},
        FaultCase{"IdentifySecondRead", Transaction::Identify, FailTransfer(4), false, 4, true},
        FaultCase{"IdentifyUntouched", Transaction::Identify, FailTransfer(5), true, 4, true},
        FaultCase{"IdentifyUnplugged", Transaction::Identify, Unplug, false, 1},
        FaultCase{"ReadOnlyRead", Transaction::Read, FailTransfer(1), false, 1},
        FaultCase{"ReadUntouched", Transaction::Read, FailTransfer(2), true, 1},
        FaultCase{"ReadUnplugged", Transaction::Read, Unplug, false, 1},
        FaultCase{"SaveWrite", Transaction::Save, FailTransfer(1), false, 1},
        FaultCase{"SaveReadBack", Transaction::Save, FailTransfer(2), false, 2},
        FaultCase{"SaveUntouched", Transaction::Save, FailTransfer(3), true, 2},
        FaultCase{"SaveUnplugged", Transaction::Save, Unplug, false, 1}),
    [](const auto& info) { return info.param.Name; });

// The identification text as the text area receives it.
struct TextCase {
  const char* Name;
  std::string Identification;
  std::size_t Capacity;
  std::string Area;  // all `Capacity` bytes
  friend void PrintTo(const TextCase& row, std::ostream* out) { *out << row.Name; }
};

class IdentificationTextTest : public DeviceLinkTest, public testing::WithParamInterface<TextCase> {
 protected:
  void SetUp() override { Attach(GetParam().Identification); }
};

TEST_P(IdentificationTextTest, CopiesUpToTheFirstZeroAndZeroFillsTheRest) {
  std::string area(GetParam().Capacity, 'x');
  ASSERT_TRUE(link.IdentifyDevice(0, area.data(), area.size()));
  EXPECT_EQ(area, GetParam().Area);
}

std::string Padded(const std::string& text, std::size_t capacity = TextCapacity) {
  return text + std::string(capacity - text.size(), '\0');
}
const std::string Raw31 = std::string(29, '\x80') + "\xFE\x01";

INSTANTIATE_TEST_SUITE_P(
    Texts, IdentificationTextTest,
    testing::Values(TextCase{"ABC", "ABC", TextCapacity, Padded("ABC")},
                    TextCase{"EndsAtFirstZero", std::string("ABC\0DEF", 7), TextCapacity, Padded("ABC")},
                    TextCase{"Empty", "", TextCapacity, Padded("")},
                    TextCase{"ThirtyOneCharacters", std::string(31, 'Q'), TextCapacity, Padded(std::string(31, 'Q'))},
                    TextCase{"ThirtyOneRawBytes", Raw31, TextCapacity, Padded(Raw31)},
                    TextCase{"SmallAreaKeepsItsZero", "ABCDEF", 4, Padded("ABC", 4)}),
    [](const auto& info) { return info.param.Name; });

TEST_F(DeviceLinkTest, RowWithoutOpenHandleFailsWithoutDeviceCall) {
  link.Table().Entry(0).Handle = InvalidHidHandle;
  EXPECT_FALSE(Identify());
  EXPECT_FALSE(link.ReadDeviceSettings(0));
  EXPECT_FALSE(Save());
  EXPECT_TRUE(platform.Log().empty()) << platform.LogLines().front();
  EXPECT_EQ(std::string(text), "unchanged");
}

TEST_F(DeviceLinkTest, PrimitivesSendReportIdZero) {
  struct Row {
    const char* Name;
    std::function<bool()> Transfer;
    bool Succeeds;
  };
  const std::vector<Row> rows = {
      {"Set", [&] { return link.SetFeatureReport(1, 33); }, true},
      {"Get", [&] { return link.GetFeatureReport(1, 33); }, true},
      {"SetWithoutHandle", [&] { return link.SetFeatureReport(InvalidHidHandle, 33); }, false},
      {"GetWithoutHandle", [&] { return link.GetFeatureReport(InvalidHidHandle, 33); }, false},
  };
  for (const Row& row : rows) {
    // A reply with another byte 0 leaves it set in the image.
    platform.CorruptReplies(*board, ReportOffset::ReportId);
    ASSERT_TRUE(link.ReadDeviceSettings(0));
    ASSERT_EQ(link.ReportImage()[ReportOffset::ReportId], 0xFF);
    platform.ClearLog();
    // The board refuses any report but 0, so success shows byte 0 was cleared.
    EXPECT_EQ(row.Transfer(), row.Succeeds) << row.Name;
    EXPECT_EQ(link.ReportImage()[ReportOffset::ReportId], 0) << row.Name;
    EXPECT_EQ(platform.Log().size(), row.Succeeds ? 1u : 0u) << row.Name;
  }
  EXPECT_EQ(board->Stored(), BoardSettings());
}

}  // namespace
}  // namespace qor
