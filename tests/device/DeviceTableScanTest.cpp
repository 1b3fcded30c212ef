#include "device/DeviceTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "sim/SimPlatform.h"

namespace qor {
namespace {

using sim::CallKind;
using sim::InterfaceId;
using sim::InterfaceInfo;
using sim::SimPlatform;

constexpr std::uint16_t OtherVendorId = 0x046D;

// A refused interface is closed before anything else happens: no call on
// another handle and no other open lies between its open and its close.
void ExpectRefusedClosedAtOnce(const SimPlatform& platform, const DeviceTable& table) {
  std::set<HidHandle> rows;
  for (int row = 0; row < table.Count(); ++row) rows.insert(table.Entry(row).Handle);
  const std::vector<sim::Call>& log = platform.Log();
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].Kind != CallKind::Open || !log[i].Succeeded || rows.count(log[i].Handle) > 0) continue;
    std::size_t next = i + 1;
    while (next < log.size() && log[next].Handle == log[i].Handle && log[next].Kind != CallKind::Close) ++next;
    ASSERT_LT(next, log.size()) << "h" << log[i].Handle << " never closed";
    EXPECT_EQ(sim::Render(log[next]), "close h" + std::to_string(log[i].Handle)) << "after open at call " << i;
  }
}

struct ScanCase {
  const char* Name;
  std::function<void(SimPlatform&)> Attach;
  std::vector<InterfaceId> Rows;  // the interfaces that get rows, in row order
  std::vector<InterfaceId> NeverOpened{};
  friend void PrintTo(const ScanCase& row, std::ostream* out) { *out << row.Name; }
};

class ScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, KeepsExactlyTheConfigurationInterfaces) {
  SimPlatform platform;
  GetParam().Attach(platform);
  DeviceTable table(platform);
  table.Scan();

  ASSERT_EQ(table.Count(), static_cast<int>(GetParam().Rows.size()));
  std::vector<HidHandle> rowHandles;
  for (int row = 0; row < table.Count(); ++row) {
    EXPECT_EQ(platform.InterfaceOf(table.Entry(row).Handle), GetParam().Rows[row]) << "row " << row;
    EXPECT_EQ(table.Entry(row).ReportLength, 33);
    rowHandles.push_back(table.Entry(row).Handle);
  }
  std::sort(rowHandles.begin(), rowHandles.end());
  EXPECT_EQ(platform.OpenHandles(), rowHandles) << "only the rows stay open";
  ExpectRefusedClosedAtOnce(platform, table);
  for (InterfaceId id : GetParam().NeverOpened) {
    for (const sim::Call& call : platform.Log()) {
      EXPECT_FALSE(call.Kind == CallKind::Open && call.Path == platform.PathOf(id)) << "opened " << call.Path;
    }
  }
  EXPECT_EQ(platform.CallCount(CallKind::GetFeature) + platform.CallCount(CallKind::SetFeature), 0);
}

// A link that goes, as qorctl's does after each command, takes its rows' handles with it.
TEST_P(ScanTest, DestroyedLinkLeavesNothingOpen) {
  SimPlatform platform;
  GetParam().Attach(platform);
  {
    DeviceLink link(platform);
    link.Table().Scan();
    ASSERT_EQ(link.Table().Count(), static_cast<int>(GetParam().Rows.size()));
    platform.ClearLog();
  }
  EXPECT_TRUE(platform.OpenHandles().empty());
  EXPECT_EQ(platform.CallCount(CallKind::Close), static_cast<int>(GetParam().Rows.size()));
}

// Adds a board, then one interface described by `info`, then another board:
// the rows are always interfaces 0 and 2, plus 1 when it qualifies.
std::function<void(SimPlatform&)> BetweenTwoBoards(InterfaceInfo info) {
  return [info](SimPlatform& platform) {
    platform.AddBoard("first");
    platform.AddInterface(info, std::make_shared<sim::VirtualBoard>("middle", SettingsReport{}));
    platform.AddBoard("last");
  };
}

std::function<void(SimPlatform&)> Boards(int count) {
  return [count](SimPlatform& platform) {
    for (int i = 0; i < count; ++i) platform.AddBoard("board " + std::to_string(i));
  };
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, ScanTest,
    testing::Values(ScanCase{"FirstProductId", BetweenTwoBoards({.ProductId = 0x07B3}), {0, 1, 2}},
                    ScanCase{"LastProductId", BetweenTwoBoards({.ProductId = 0x07BA}), {0, 1, 2}},
                    ScanCase{"ProductIdBelow", BetweenTwoBoards({.ProductId = 0x07B2}), {0, 2}},
                    ScanCase{"ProductIdAbove", BetweenTwoBoards({.ProductId = 0x07BB}), {0, 2}},
                    ScanCase{"OtherVendor", BetweenTwoBoards({.VendorId = OtherVendorId}), {0, 2}},
                    ScanCase{"ReportLength32", BetweenTwoBoards({.FeatureReportLength = 32}), {0, 2}},
                    ScanCase{"ReportLength65", BetweenTwoBoards({.FeatureReportLength = 65}), {0, 2}},
                    ScanCase{"NoFeatureReports", BetweenTwoBoards({.FeatureReportLength = 0}), {0, 2}},
                    ScanCase{"PathFails", BetweenTwoBoards({.PathFails = true}), {0, 2}},
                    ScanCase{"OpenFails", BetweenTwoBoards({.OpenFails = true}), {0, 2}},
                    ScanCase{"AttributesFail", BetweenTwoBoards({.AttributesFail = true}), {0, 2}},
                    ScanCase{"CapabilitiesFail", BetweenTwoBoards({.CapabilitiesFail = true}), {0, 2}},
                    ScanCase{"BoardWithTwoFurtherInterfaces",
                             [](SimPlatform& platform) {
                               auto board = std::make_shared<sim::VirtualBoard>("QOR", SettingsReport{});
                               platform.AddInterface({.FeatureReportLength = 0}, board);
                               platform.AddInterface({}, board);
                               platform.AddInterface({.FeatureReportLength = 9}, board);
                             },
                             {1}},
                    ScanCase{"NoBoard",
                             [](SimPlatform& platform) {
                               platform.AddInterface({.VendorId = OtherVendorId, .FeatureReportLength = 0});
                               platform.AddInterface({.ProductId = 0x07B2});
                             },
                             {}},
                    ScanCase{"NothingAttached", [](SimPlatform&) {}, {}},
                    ScanCase{"TenBoards", Boards(10), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                    ScanCase{"EleventhNeverOpened", Boards(11), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {10}},
                    ScanCase{"ForeignInterfacesDoNotCount",
                             [](SimPlatform& platform) {
                               Boards(5)(platform);
                               platform.AddInterface({.ProductId = 0x07BB});
                               Boards(6)(platform);
                             },
                             {0, 1, 2, 3, 4, 6, 7, 8, 9, 10},
                             {11}},
                    ScanCase{"EnumerationFails",
                             [](SimPlatform& platform) {
                               Boards(2)(platform);
                               platform.FailEnumerationAfter(0);
                             },
                             {},
                             {0, 1}},
                    ScanCase{"EnumerationFailsPartWay",
                             [](SimPlatform& platform) {
                               Boards(3)(platform);
                               platform.FailEnumerationAfter(2);
                             },
                             {0, 1},
                             {2}},
                    ScanCase{"UnpluggedBoardNotListed",
                             [](SimPlatform& platform) {
                               Boards(3)(platform);
                               platform.Unplug(1);
                             },
                             {0, 2},
                             {1}}),
    [](const auto& info) { return info.param.Name; });

TEST(Scan, ClosesEveryOldHandleBeforeOpeningAnyNewOne) {
  SimPlatform platform;
  Boards(3)(platform);
  DeviceTable table(platform);
  table.Scan();
  const std::vector<HidHandle> old = platform.OpenHandles();
  platform.ClearLog();

  table.Scan();

  const std::vector<std::string> lines = platform.LogLines();
  const std::vector<std::string> closes(lines.begin(), lines.begin() + 3);
  EXPECT_EQ(closes, (std::vector<std::string>{"close h1", "close h2", "close h3"}));
  EXPECT_EQ(lines.at(3), "list 3");
  ASSERT_EQ(table.Count(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(std::count(old.begin(), old.end(), table.Entry(row).Handle), 0) << "row " << row << " got a fresh handle";
  }
  EXPECT_EQ(platform.OpenHandles().size(), 3u);
}

TEST(Scan, RescanWithoutBoardsLeavesNothingOpen) {
  SimPlatform platform;
  auto board = platform.AddBoard("A");
  DeviceTable table(platform);
  table.Scan();
  ASSERT_EQ(table.Count(), 1);

  platform.Unplug(*board);
  table.Scan();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_TRUE(platform.OpenHandles().empty());
}

}  // namespace
}  // namespace qor
