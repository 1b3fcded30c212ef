// Identification, read and save through the real hidraw backend.

#include <gtest/gtest.h>

#include <chrono>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"
#include "settings/SettingsImages.h"

namespace qor::guest {
namespace {

struct IdentificationCase {
  const char* Name;
  std::string BoardText;
  std::string ExpectedText;
};
void PrintTo(const IdentificationCase& row, std::ostream* out) { *out << row.Name; }

class IdentificationTest : public testing::TestWithParam<IdentificationCase> {};

TEST_P(IdentificationTest, ListsTheBoardsText) {
  VirtualBoardProcess boards({"--board", GetParam().BoardText});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();
  LinuxHidPlatform platform;
  DeviceLink link(platform);
  EXPECT_EQ(ScanAndIdentify(link), std::vector<std::string>{GetParam().ExpectedText});
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, IdentificationTest,
    testing::Values(IdentificationCase{"Short", "ABC", "ABC"},
                    IdentificationCase{"WithBlanks", "Cabinet  left", "Cabinet  left"},
                    IdentificationCase{"ThirtyOneCharacters", std::string(31, 'Q'), std::string(31, 'Q')},
                    IdentificationCase{"LongerTextIsCutByTheBoard", std::string(40, 'R'), std::string(31, 'R')}),
    [](const testing::TestParamInfo<IdentificationCase>& info) { return std::string(info.param.Name); });

SettingsReport StoredSettings() {
  SettingsReport settings{};
  for (std::size_t i = 2; i < settings.size(); ++i) settings[i] = static_cast<std::uint8_t>(0x10 + i);
  settings[ReportOffset::Reserved] = 0x5A;
  return settings;
}

SettingsReport EditedSettings() {
  SettingsReport settings = StoredSettings();
  settings[ReportOffset::BoardId] = 3;
  settings[ReportOffset::Mode] = SingleAnalogKeyStick;
  settings[ReportOffset::AnalogInputs] = 0xC1;
  settings[ReportOffset::JoyMouse] = JoyMouse::Make(true, 5);
  settings[ReportOffset::KeyStickKeys] = 0x52;
  settings[SettingsReportSize - 1] = 0x11;
  settings[ReportOffset::Reserved] = 0x00;  // never sent: the board's own byte 5 is
  return settings;
}

class TransactionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(boards_.Ready()) << boards_.Failure();
    ASSERT_EQ(ScanAndIdentify(link_), std::vector<std::string>{"Board under test"});
  }

  VirtualBoardProcess boards_{{"--board", "Board under test", "--settings", SettingsHex(StoredSettings())}};
  LinuxHidPlatform platform_;
  DeviceLink link_{platform_};
};

TEST_F(TransactionTest, ReadAfterIdentificationReturnsTheStoredSettings) {
  ASSERT_TRUE(link_.ReadDeviceSettings(0));
  SettingsReport expected = StoredSettings();
  expected[ReportOffset::ReportId] = 0;
  expected[ReportOffset::Command] = CommandStore;
  EXPECT_EQ(link_.ReportImage(), expected);
}

TEST_F(TransactionTest, SaveIsVerifiedAndKeepsTheBoardsByte5) {
  ASSERT_TRUE(link_.ReadDeviceSettings(0));
  const SettingsReport written = SaveImage(EditedSettings(), link_.ReportImage());
  EXPECT_EQ(written[ReportOffset::Reserved], 0x5A);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(link_.SaveDeviceSettings(0, written), SaveOutcome::Saved);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(SavePauseMs));
  EXPECT_EQ(link_.ReportImage(), written);

  // A fresh scan finds the board holding what was saved.
  DeviceLink fresh(platform_);
  ASSERT_EQ(ScanAndIdentify(fresh), std::vector<std::string>{"Board under test"});
  ASSERT_TRUE(fresh.ReadDeviceSettings(0));
  EXPECT_EQ(fresh.ReportImage(), written);
}

}  // namespace
}  // namespace qor::guest
