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
  settings[report_offset::Reserved] = 0x5A;
  return settings;
}

SettingsReport EditedSettings() {
  SettingsReport settings = StoredSettings();
  settings[report_offset::BoardId] = 3;
  settings[report_offset::Mode] = SingleAnalogKeyStick;
  settings[report_offset::AnalogInputs] = 0xC1;
  settings[report_offset::JoyMouse] = joy_mouse::Make(true, 5);
  settings[report_offset::KeyStickKeys] = 0x52;
  settings[SettingsReportSize - 1] = 0x11;
  settings[report_offset::Reserved] = 0x00;  // never sent: the board's own byte 5 is
  return settings;
}

class TransactionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_Boards.Ready()) << m_Boards.Failure();
    ASSERT_EQ(ScanAndIdentify(m_Link), std::vector<std::string>{"Board under test"});
  }

  VirtualBoardProcess m_Boards{{"--board", "Board under test", "--settings", SettingsHex(StoredSettings())}};
  LinuxHidPlatform m_Platform;
  DeviceLink m_Link{m_Platform};
};

TEST_F(TransactionTest, ReadAfterIdentificationReturnsTheStoredSettings) {
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  SettingsReport expected = StoredSettings();
  expected[report_offset::ReportId] = 0;
  expected[report_offset::Command] = CommandStore;
  EXPECT_EQ(m_Link.ReportImage(), expected);
}

TEST_F(TransactionTest, SaveIsVerifiedAndKeepsTheBoardsByte5) {
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  const SettingsReport written = SaveImage(EditedSettings(), m_Link.ReportImage());
  EXPECT_EQ(written[report_offset::Reserved], 0x5A);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(m_Link.SaveDeviceSettings(0, written), SaveOutcome::Saved);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(SavePauseMs));
  EXPECT_EQ(m_Link.ReportImage(), written);

  // A fresh scan finds the board holding what was saved.
  DeviceLink fresh(m_Platform);
  ASSERT_EQ(ScanAndIdentify(fresh), std::vector<std::string>{"Board under test"});
  ASSERT_TRUE(fresh.ReadDeviceSettings(0));
  EXPECT_EQ(fresh.ReportImage(), written);
}

}  // namespace
}  // namespace qor::guest
