// What the kernel itself does with a board's feature reports on hidraw:
// the facts the simulated platform has to match.

#include "device/linux/Hidraw.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "VirtualBoardProcess.h"
#include "settings/SettingsReport.h"

namespace qor::guest {
namespace {

class HidrawBehaviourTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_Boards.Ready()) << m_Boards.Failure();
    m_Fd = hidraw::OpenNode(m_Boards.NodesOfKind("board").at(0).Hidraw.c_str());
    ASSERT_GE(m_Fd, 0);
  }
  void TearDown() override {
    if (m_Fd >= 0) hidraw::CloseNode(m_Fd);
  }

  VirtualBoardProcess m_Boards{{"--board", "Raw"}};
  int m_Fd = -1;
};

TEST_F(HidrawBehaviourTest, GetReturns33BytesWithReportNumberZeroFirst) {
  std::array<std::uint8_t, 33> buffer{};
  buffer.fill(0xEE);
  buffer[0] = 0;
  EXPECT_EQ(hidraw::GetFeature(m_Fd, buffer.data(), buffer.size()), 33);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], CommandStore);
}

TEST_F(HidrawBehaviourTest, GetWithALongerBufferReturnsTheReportsLength) {
  std::array<std::uint8_t, 64> buffer{};
  buffer.fill(0xEE);
  buffer[0] = 0;
  EXPECT_EQ(hidraw::GetFeature(m_Fd, buffer.data(), buffer.size()), 33);
  EXPECT_EQ(buffer[33], 0xEE) << "bytes past the report are left alone";
}

TEST_F(HidrawBehaviourTest, SetReturnsTheLengthWritten) {
  std::array<std::uint8_t, 33> report{};
  report[1] = CommandIdentify;
  EXPECT_EQ(hidraw::SetFeature(m_Fd, report.data(), report.size()), 33);
  std::array<std::uint8_t, 33> reply{};
  ASSERT_EQ(hidraw::GetFeature(m_Fd, reply.data(), reply.size()), 33);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.data() + 2)), "Raw");
}

// The ioctls ask nothing of the access mode: a node that may only be read
// still takes feature reports in both directions.
TEST_F(HidrawBehaviourTest, FeatureTransfersWorkOnAReadOnlyDescriptor) {
  const int readOnly = ::open(m_Boards.NodesOfKind("board").at(0).Hidraw.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(readOnly, 0);
  std::array<std::uint8_t, 33> report{};
  report[1] = CommandSelectSettings;
  EXPECT_EQ(hidraw::SetFeature(readOnly, report.data(), report.size()), 33);
  EXPECT_EQ(hidraw::GetFeature(readOnly, report.data(), report.size()), 33);
  ::close(readOnly);
}

struct RefusedTransfer {
  const char* Name;
  bool IsSet;
  std::size_t Length;
  std::uint8_t ReportNumber;
};
void PrintTo(const RefusedTransfer& row, std::ostream* out) { *out << row.Name; }

class RefusedTransferTest : public HidrawBehaviourTest, public testing::WithParamInterface<RefusedTransfer> {};

// The board answers only its one report of 33 bytes; the kernel reports any
// refusal by the device as an I/O error.
TEST_P(RefusedTransferTest, FailsWithIoError) {
  std::array<std::uint8_t, 64> buffer{};
  buffer[0] = GetParam().ReportNumber;
  buffer[1] = CommandSelectSettings;
  const int result = GetParam().IsSet ? hidraw::SetFeature(m_Fd, buffer.data(), GetParam().Length)
                                      : hidraw::GetFeature(m_Fd, buffer.data(), GetParam().Length);
  EXPECT_EQ(result, -EIO);
}

INSTANTIATE_TEST_SUITE_P(Kernel, RefusedTransferTest,
                         testing::Values(RefusedTransfer{"SetWithoutReportNumber", true, 32, 0},
                                         RefusedTransfer{"SetOfAnotherReport", true, 33, 1},
                                         RefusedTransfer{"SetLongerThanTheReport", true, 64, 0},
                                         RefusedTransfer{"GetOfAnotherReport", false, 33, 1}),
                         [](const testing::TestParamInfo<RefusedTransfer>& info) {
                           return std::string(info.param.Name);
                         });

TEST_F(HidrawBehaviourTest, TransfersOnADestroyedDeviceFailWithNoDevice) {
  ASSERT_TRUE(m_Boards.Stop());
  std::array<std::uint8_t, 33> buffer{};
  EXPECT_EQ(hidraw::GetFeature(m_Fd, buffer.data(), buffer.size()), -ENODEV);
  EXPECT_EQ(hidraw::SetFeature(m_Fd, buffer.data(), buffer.size()), -ENODEV);
}

}  // namespace
}  // namespace qor::guest
