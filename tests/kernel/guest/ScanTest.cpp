// Scans through the real hidraw backend among virtual boards and foreign
// HID devices on the guest's kernel.

#include <gtest/gtest.h>

#include <algorithm>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"

namespace qor::guest {
namespace {

struct ScanCase {
  const char* Name;
  std::vector<std::string> Arguments;
  std::vector<std::string> ExpectedTexts;  // the rows, in enumeration order
};
void PrintTo(const ScanCase& row, std::ostream* out) { *out << row.Name; }

class ScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, FindsExactlyTheConfigurationInterfacesInEnumerationOrder) {
  VirtualBoardProcess boards(GetParam().Arguments);
  ASSERT_TRUE(boards.Ready()) << boards.Failure();

  LinuxHidPlatform platform;
  std::vector<std::string> created;
  for (const VirtualNode& node : boards.Nodes()) created.push_back(node.Hidraw);

  // The devices enumerate in the order they were created.
  std::vector<std::string> listed;
  for (const auto& path : platform.ListInterfaces()) {
    ASSERT_TRUE(path.has_value());
    if (std::find(created.begin(), created.end(), *path) != created.end()) listed.push_back(*path);
  }
  EXPECT_EQ(listed, created);

  DeviceLink link(platform);
  const int descriptorsBefore = OpenDescriptorCount();
  const std::vector<std::string> texts = ScanAndIdentify(link);
  EXPECT_EQ(texts, GetParam().ExpectedTexts);

  // Every row is a board's configuration interface, and nothing else stays open.
  std::vector<std::string> configurationNodes;
  for (const VirtualNode& node : boards.NodesOfKind("board")) {
    if (std::find(GetParam().ExpectedTexts.begin(), GetParam().ExpectedTexts.end(), node.Text) !=
        GetParam().ExpectedTexts.end()) {
      configurationNodes.push_back(node.Hidraw);
    }
  }
  configurationNodes.resize(texts.size());
  EXPECT_EQ(RowNodes(link, created), configurationNodes);
  EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore + link.Table().Count());

  // A second scan closes every old handle before opening new ones.
  ScanAndIdentify(link);
  EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore + link.Table().Count());
  EXPECT_TRUE(boards.Stop());
}

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> texts;
  for (int i = 1; i <= count; ++i) texts.push_back("Virtual QOR " + std::to_string(i));
  return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, ScanTest,
    testing::Values(ScanCase{"AmongForeignDevices",
                             {"--other-vendor", "--board", "Alpha", "--joystick", "--wide-report", "--board", "Beta",
                              "--product", "07BA", "--board", "Above", "--product", "07BB", "--board", "Below",
                              "--product", "07B2", "--board", "Gamma"},
                             {"Alpha", "Beta", "Gamma"}},
                    ScanCase{"BoardWithJoystickInterfaceGivesOneRow", {"--board", "Solo", "--joystick"}, {"Solo"}},
                    ScanCase{"NoBoardAmongForeignDevices", {"--other-vendor", "--wide-report"}, {}},
                    ScanCase{"ElevenBoardsGiveTenRows", {"--boards", "11"}, Numbered(10)}),
    [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor::guest
