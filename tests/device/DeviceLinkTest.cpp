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
  image[report_offset::Reserved] = BoardSettings()[report_offset::Reserved];
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
    m_Board = m_Platform.AddBoard(std::move(identification), BoardSettings());
    m_Link.Table().Scan();
    ASSERT_EQ(m_Link.Table().Count(), 1);
    ASSERT_EQ(m_Link.Table().Entry(0).Handle, 1);
    m_Platform.ClearLog();
  }
  void SetUp() override { Attach("ABC"); }

  int Transfers() const {
    return m_Platform.CallCount(CallKind::GetFeature) + m_Platform.CallCount(CallKind::SetFeature);
  }
  bool Identify() { return m_Link.IdentifyDevice(0, m_Text, TextCapacity); }
  bool Save() { return m_Link.SaveDeviceSettings(0, NewSettings()) == SaveOutcome::Saved; }

  SimPlatform m_Platform;
  std::shared_ptr<VirtualBoard> m_Board;
  DeviceLink m_Link{m_Platform};
  char m_Text[TextCapacity] = "unchanged";
};

TEST_F(DeviceLinkTest, IdentifySelectsTheTextThenTheSettingsAgain) {
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  m_Platform.ClearLog();
  SettingsReport previous = BoardSettings();  // as the read left it
  previous[report_offset::Command] = CommandIdentify;

  ASSERT_TRUE(Identify());

  EXPECT_EQ(m_Platform.LogLines(), (Lines{
                                       Set(previous),
                                       "pause 30",
                                       "get h1 [00 00 41 42 43 0*28]",
                                       "set h1 [00 01 41 42 43 0*28]",
                                       "pause 30",
                                       Get(BoardSettings()),
                                   }));
  EXPECT_EQ(std::string(m_Text), "ABC");
  EXPECT_FALSE(m_Board->IdentificationSelected());
  EXPECT_EQ(m_Board->Stored(), BoardSettings()) << "identification stores nothing";
}

TEST_F(DeviceLinkTest, ReadIsOneGetAndNoWrite) {
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  EXPECT_EQ(m_Platform.LogLines(), Lines{Get(BoardSettings())});
  EXPECT_EQ(m_Link.ReportImage(), BoardSettings());
}

TEST_F(DeviceLinkTest, ReadRightAfterIdentificationGetsTheSettings) {
  ASSERT_TRUE(Identify());
  m_Platform.ClearLog();
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  EXPECT_EQ(m_Platform.LogLines(), Lines{Get(BoardSettings())});
}

TEST_F(DeviceLinkTest, ReadRightAfterSaveGetsTheSavedSettings) {
  ASSERT_TRUE(Save());
  m_Platform.ClearLog();
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  EXPECT_EQ(m_Platform.LogLines(), Lines{Get(NewSettings())});
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
    if (step == "set")
      lines.push_back(Set(NewSettings()));
    else if (step == "get")
      lines.push_back(Get(NewSettings()));
    else if (step.starts_with("get~"))
      lines.push_back(Get(Altered(NewSettings(), std::stoul(step.substr(4)))));
    else if (step == "set failed")
      lines.push_back(Set(NewSettings()) + " failed");
    else
      lines.push_back(step);
  }
  return lines;
}

TEST_P(SaveTest, WritesAndVerifiesByReadBack) {
  GetParam().Fault(m_Platform, *m_Board);

  EXPECT_EQ(m_Link.SaveDeviceSettings(0, NewSettings()), GetParam().Outcome);

  EXPECT_EQ(m_Platform.LogLines(), Expand(GetParam().Steps));
  if (GetParam().Outcome == SaveOutcome::Saved) {
    EXPECT_EQ(m_Link.ReportImage(), NewSettings());
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
                 Repeat(Attempt, MaxSaveAttempts), SaveOutcome::CommunicationFailure},
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
  EXPECT_EQ(m_Board->Stored(), NewSettings());
}

// A board pulled out right after it took the write: the save is reported as
// failed, the honest outcome, though the board holds the new settings.
TEST_F(DeviceLinkTest, BoardLeavingAfterTakingTheWriteFailsTheSaveButKeepsTheWrite) {
  m_Platform.UnplugAfterDelivery(*m_Board);
  EXPECT_FALSE(Save());
  EXPECT_EQ(m_Platform.LogLines(), Lines{Set(NewSettings()) + " failed"});
  EXPECT_EQ(m_Board->Stored(), NewSettings());
  m_Link.Table().Scan();
  EXPECT_EQ(m_Link.Table().Count(), 0);
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
  GetParam().Fault(m_Platform, *m_Board);
  bool succeeded = false;
  switch (GetParam().Run) {
    case Transaction::Identify:
      succeeded = Identify();
      break;
    case Transaction::Read:
      succeeded = m_Link.ReadDeviceSettings(0);
      break;
    case Transaction::Save:
      succeeded = Save();
      break;
  }
  EXPECT_EQ(succeeded, GetParam().Succeeds);
  EXPECT_EQ(Transfers(), GetParam().TransfersMade);
  EXPECT_EQ(std::string(m_Text), GetParam().TextChanged ? "ABC" : "unchanged");
}

std::function<void(SimPlatform&, const VirtualBoard&)> FailTransfer(int nth) {
  return [nth](SimPlatform& p, const VirtualBoard&) { p.FailTransfer(nth); };
}
void Unplug(SimPlatform& p, const VirtualBoard& b) { p.Unplug(b); }

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultPointTest,
    testing::Values(FaultCase{"IdentifyFirstWrite", Transaction::Identify, FailTransfer(1), false, 1},
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
  ASSERT_TRUE(m_Link.IdentifyDevice(0, area.data(), area.size()));
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
  m_Link.Table().Entry(0).Handle = InvalidHidHandle;
  EXPECT_FALSE(Identify());
  EXPECT_FALSE(m_Link.ReadDeviceSettings(0));
  EXPECT_FALSE(Save());
  EXPECT_TRUE(m_Platform.Log().empty()) << m_Platform.LogLines().front();
  EXPECT_EQ(std::string(m_Text), "unchanged");
}

TEST_F(DeviceLinkTest, PrimitivesSendReportIdZero) {
  struct Row {
    const char* Name;
    std::function<bool()> Transfer;
    bool Succeeds;
  };
  const std::vector<Row> rows = {
      {"Set", [&] { return m_Link.SetFeatureReport(1, 33); }, true},
      {"Get", [&] { return m_Link.GetFeatureReport(1, 33); }, true},
      {"SetWithoutHandle", [&] { return m_Link.SetFeatureReport(InvalidHidHandle, 33); }, false},
      {"GetWithoutHandle", [&] { return m_Link.GetFeatureReport(InvalidHidHandle, 33); }, false},
  };
  for (const Row& row : rows) {
    // A reply with another byte 0 leaves it set in the image.
    m_Platform.CorruptReplies(*m_Board, report_offset::ReportId);
    ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
    ASSERT_EQ(m_Link.ReportImage()[report_offset::ReportId], 0xFF);
    m_Platform.ClearLog();
    // The board refuses any report but 0, so success shows byte 0 was cleared.
    EXPECT_EQ(row.Transfer(), row.Succeeds) << row.Name;
    EXPECT_EQ(m_Link.ReportImage()[report_offset::ReportId], 0) << row.Name;
    EXPECT_EQ(m_Platform.Log().size(), row.Succeeds ? 1u : 0u) << row.Name;
  }
  EXPECT_EQ(m_Board->Stored(), BoardSettings());
}

}  // namespace
}  // namespace qor
