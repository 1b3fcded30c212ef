#include "device/linux/HidrawEnumeration.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace qor {
namespace {

using Paths = std::vector<std::optional<std::string>>;

HidrawNode Node(const std::string& sysName) { return {sysName, "/dev/" + sysName}; }

struct OrderCase {
  std::string Name;
  std::vector<HidrawNode> Nodes;
  Paths Expected;
};

class OrderHidrawNodesTest : public testing::TestWithParam<OrderCase> {};

TEST_P(OrderHidrawNodesTest, OrdersByHidrawNumber) {
  EXPECT_EQ(OrderHidrawNodes(GetParam().Nodes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, OrderHidrawNodesTest,
    testing::Values(OrderCase{"Empty", {}, {}},
                    OrderCase{"NumbersNotText",
                              {Node("hidraw10"), Node("hidraw2"), Node("hidraw1")},
                              {"/dev/hidraw1", "/dev/hidraw2", "/dev/hidraw10"}},
                    OrderCase{"NodeWithoutDevNodeKeepsItsPlace",
                              {Node("hidraw3"), HidrawNode{"hidraw1", std::nullopt}, Node("hidraw0")},
                              {"/dev/hidraw0", std::nullopt, "/dev/hidraw3"}},
                    OrderCase{"UnnumberedNamesLastByName",
                              {Node("hidrawX"), Node("hidraw"), Node("hidraw7"), Node("hidraw-1"), Node("hidraw5a")},
                              {"/dev/hidraw7", "/dev/hidraw", "/dev/hidraw-1", "/dev/hidraw5a", "/dev/hidrawX"}},
                    OrderCase{"NumberBeyond32Bits",
                              {Node("hidraw4294967296"), Node("hidraw4294967295")},
                              {"/dev/hidraw4294967295", "/dev/hidraw4294967296"}}),
    [](const testing::TestParamInfo<OrderCase>& info) { return info.param.Name; });

TEST(ListHidrawNodesTest, ListsPresentNodesInNumberOrder) {
  // On a machine without hidraw nodes the list is simply empty.
  const Paths paths = ListHidrawNodes();
  std::vector<HidrawNode> asFound;
  for (const auto& path : paths) {
    ASSERT_TRUE(path.has_value());
    ASSERT_TRUE(path->starts_with("/dev/hidraw")) << *path;
    asFound.push_back(Node(path->substr(5)));
  }
  EXPECT_EQ(OrderHidrawNodes(asFound), paths);
}

// The node is the one the uevent names, as libudev would give it; an entry
// without a name has no node.
TEST(ListHidrawNodesTest, TakesTheNodeTheUeventNames) {
  test::TempFolder folder;
  folder.Write("sys/class/hidraw/hidraw10/uevent", "MAJOR=245\nMINOR=10\nDEVNAME=hidraw10\n");
  folder.Write("sys/class/hidraw/hidraw2/uevent", "DEVNAME=hidraw2\n");
  folder.Write("sys/class/hidraw/hidraw3/uevent", "MAJOR=245\n");
  // The last line need not end; an empty name is no name.
  folder.Write("sys/class/hidraw/hidraw4/uevent", "MAJOR=245\nDEVNAME=hidraw4");
  folder.Write("sys/class/hidraw/hidraw5/uevent", "DEVNAME=\nMINOR=5\n");
  EXPECT_EQ(ListHidrawNodes(folder / "sys", "/dev"),
            (Paths{"/dev/hidraw2", std::nullopt, "/dev/hidraw4", std::nullopt, "/dev/hidraw10"}));
  EXPECT_EQ(ListHidrawNodes(folder / "nowhere", "/dev"), Paths{});
}

}  // namespace
}  // namespace qor
