// Boards that fail a transfer or disappear, on the real kernel. Transfers are
// counted per board: an identification makes sets 1, 2 and gets 1, 2
// (transfers 1..4), the read after it get 3 (transfer 5), a save set 3 and
// get 4 (transfers 6 and 7).

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <optional>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"
#include "device/linux/Hidraw.h"
#include "settings/SettingsImages.h"

namespace qor::guest {
namespace {

constexpr const char* BoardText = "Faulty";
constexpr const char* Untouched = "untouched";

// A board with the row's fault on the real kernel, and a link over this
// machine's boards.
template <class Row>
class FaultyBoardTest : public testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    std::vector<std::string> arguments{"--board", BoardText};
    const std::vector<std::string>& fault = this->GetParam().Fault;
    arguments.insert(arguments.end(), fault.begin(), fault.end());
    m_Boards.emplace(arguments);
    ASSERT_TRUE(m_Boards->Ready()) << m_Boards->Failure();
  }

  std::optional<VirtualBoardProcess> m_Boards;
  LinuxHidPlatform m_Platform;
  DeviceLink m_Link{m_Platform};
};

template <class Row>
std::string RowName(const testing::TestParamInfo<Row>& info) {
  return info.param.Name;
}

struct IdentificationFault {
  const char* Name;
  std::vector<std::string> Fault;
  const char* TextAfter;  // the text area after the failed identification
};
void PrintTo(const IdentificationFault& row, std::ostream* out) { *out << row.Name; }

class IdentificationFaultTest : public FaultyBoardTest<IdentificationFault> {};

TEST_P(IdentificationFaultTest, FailsAndLeavesTheBoardListed) {
  m_Link.Table().Scan();
  ASSERT_EQ(m_Link.Table().Count(), 1);
  std::strcpy(m_Link.IdentificationText, Untouched);
  EXPECT_FALSE(m_Link.IdentifyDevice(0, m_Link.IdentificationText, IdentificationTextCapacity));
  EXPECT_STREQ(m_Link.IdentificationText, GetParam().TextAfter);

  // The fault was a single transfer: the next scan identifies the board.
  EXPECT_EQ(ScanAndIdentify(m_Link), std::vector<std::string>{BoardText});
}

INSTANTIATE_TEST_SUITE_P(Kernel, IdentificationFaultTest,
                         testing::Values(IdentificationFault{"FirstWriteFails", {"--fail-set", "1"}, Untouched},
                                         IdentificationFault{"GetFailsInTheMiddle", {"--fail-get", "1"}, Untouched},
                                         IdentificationFault{"SecondWriteFails", {"--fail-set", "2"}, BoardText},
                                         IdentificationFault{"LastGetFails", {"--fail-get", "2"}, BoardText}),
                         RowName<IdentificationFault>);

struct SaveFault {
  const char* Name;
  std::vector<std::string> Fault;
  bool WriteSucceeds;  // then the failure comes after the 500 ms pause
  bool Vanishes;
};
void PrintTo(const SaveFault& row, std::ostream* out) { *out << row.Name; }

class SaveFaultTest : public FaultyBoardTest<SaveFault> {};

TEST_P(SaveFaultTest, EndsInCommunicationFailure) {
  ASSERT_EQ(ScanAndIdentify(m_Link), std::vector<std::string>{BoardText});
  ASSERT_TRUE(m_Link.ReadDeviceSettings(0));
  SettingsReport edited = m_Link.ReportImage();
  edited[report_offset::BoardId] = 2;
  const SettingsReport image = SaveImage(edited, m_Link.ReportImage());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(m_Link.SaveDeviceSettings(0, image), SaveOutcome::CommunicationFailure);
  EXPECT_EQ(std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(SavePauseMs),
            GetParam().WriteSucceeds);

  if (GetParam().Vanishes) {
    EXPECT_TRUE(m_Boards->WaitForLine("vanished", 5000));
  }
  const std::vector<std::string> expected =
      GetParam().Vanishes ? std::vector<std::string>{} : std::vector<std::string>{BoardText};
  EXPECT_EQ(ScanAndIdentify(m_Link), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, SaveFaultTest,
    testing::Values(SaveFault{"WriteFails", {"--fail-set", "3"}, false, false},
                    SaveFault{"ReadBackFails", {"--fail-get", "4"}, true, false},
                    SaveFault{"BoardVanishesBetweenWriteAndReadBack", {"--vanish-after", "6"}, true, true}),
    RowName<SaveFault>);

TEST(VanishedBoardTest, ReadOnTheOldRowFails) {
  VirtualBoardProcess boards({"--board", BoardText, "--vanish-after", "4"});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();
  LinuxHidPlatform platform;
  DeviceLink link(platform);
  ASSERT_EQ(ScanAndIdentify(link), std::vector<std::string>{BoardText});
  ASSERT_TRUE(boards.WaitForLine("vanished", 5000));
  EXPECT_FALSE(link.ReadDeviceSettings(0));
  EXPECT_EQ(ScanAndIdentify(link), std::vector<std::string>{});
}

// The node opened and closed again and again after the last answer (a
// program probing the node) must not keep the board from leaving.
TEST(VanishedBoardTest, LeavesWhileTheNodeIsOpenedAndClosed) {
  VirtualBoardProcess boards({"--board", BoardText, "--vanish-after", "1"});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();
  const std::string node = boards.NodesOfKind("board").at(0).Hidraw;
  const int fd = hidraw::OpenNode(node.c_str());
  ASSERT_GE(fd, 0);
  std::array<std::uint8_t, SettingsReportSize> reply{};
  EXPECT_EQ(hidraw::GetFeature(fd, reply.data(), reply.size()), static_cast<int>(reply.size()));
  hidraw::CloseNode(fd);

  // Each round opens and closes the node well within the board's 0.1 s.
  bool vanished = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (!vanished && std::chrono::steady_clock::now() < deadline) {
    if (const int probe = hidraw::OpenNode(node.c_str()); probe >= 0) hidraw::CloseNode(probe);
    vanished = boards.WaitForLine("vanished", 20);
  }
  EXPECT_TRUE(vanished);
}

}  // namespace
}  // namespace qor::guest
