#include "device/linux/SysfsBoardProbe.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "TempFolder.h"

namespace qor {
namespace {

// A vendor-defined collection with one feature report of `dataBytes` bytes and no report ID.
std::vector<std::uint8_t> Descriptor(std::uint8_t dataBytes) {
  return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, dataBytes, 0x09, 0x01, 0xB1, 0x02, 0xC0};
}
const std::vector<std::uint8_t> ConfigurationDescriptor = Descriptor(32);

struct Node {
  std::string Name;                  // "hidraw3"
  std::string HidId;                 // the uevent's HID_ID value; "" for none
  std::vector<std::uint8_t> Report;  // the report descriptor; empty for none
};

class SysfsProbeTest : public testing::Test {
 protected:
  void Add(const Node& node) {
    const std::string device = "sys/class/hidraw/" + node.Name + "/device/";
    std::string uevent = "DRIVER=hid-generic\n";
    if (!node.HidId.empty()) uevent += "HID_ID=" + node.HidId + "\n";
    uevent += "HID_NAME=Some Board\n";
    m_Folder.Write(device + "uevent", uevent);
    if (!node.Report.empty()) m_Folder.Write(device + "report_descriptor", node.Report);
  }
  std::vector<UnopenableBoard> Probe() {
    SysfsBoardProbe probe(m_Folder / "sys", "/dev");
    return probe.UnopenableBoards(m_Unopened);
  }

  test::TempFolder m_Folder;
  std::vector<UnopenedInterface> m_Unopened;  // what the scan could not open
};

constexpr const char* QorId = "0003:000016C0:000007B3";

// Of the nodes a scan could not open, the QOR boards are named with the
// scan's reason, in its order; a node the scan opened is never named.
TEST_F(SysfsProbeTest, NamesTheQorBoardsAmongTheUnopenedWithTheirReason) {
  for (const char* name : {"hidraw0", "hidraw2", "hidraw10"}) Add({name, QorId, ConfigurationDescriptor});
  Add({"hidraw1", "0003:0000046D:0000C52B", ConfigurationDescriptor});
  m_Unopened = {{"/dev/hidraw1", EACCES}, {"/dev/hidraw2", EPERM}, {"/dev/hidraw10", EACCES}, {"/dev/hidraw7", ENOENT}};
  const auto boards = Probe();
  ASSERT_EQ(boards.size(), 2u);
  EXPECT_EQ(boards[0].Path, "/dev/hidraw2");
  EXPECT_EQ(boards[0].Error, EPERM);
  EXPECT_EQ(boards[1].Path, "/dev/hidraw10");
  EXPECT_EQ(boards[1].Error, EACCES);
}

struct Candidate {
  const char* Name;
  Node Interface;
  bool Reported;
};

class Candidates : public SysfsProbeTest, public testing::WithParamInterface<Candidate> {};

// Only the configuration interfaces of the QOR family are boards.
TEST_P(Candidates, AreNamedOnlyWhenTheyMayBeQorBoards) {
  Add(GetParam().Interface);
  m_Unopened = {{"/dev/" + GetParam().Interface.Name, EACCES}};
  EXPECT_EQ(Probe().size(), GetParam().Reported ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Candidates,
    testing::Values(
        Candidate{"LastProduct", {"hidraw1", "0003:000016C0:000007BA", ConfigurationDescriptor}, true},
        Candidate{"LowerCaseHex", {"hidraw1", "0003:000016c0:000007b5", ConfigurationDescriptor}, true},
        Candidate{"ProductBelow", {"hidraw1", "0003:000016C0:000007B2", ConfigurationDescriptor}, false},
        Candidate{"ProductAbove", {"hidraw1", "0003:000016C0:000007BB", ConfigurationDescriptor}, false},
        Candidate{"OtherVendor", {"hidraw1", "0003:0000046D:000007B3", ConfigurationDescriptor}, false},
        Candidate{"BoardsOtherInterface", {"hidraw1", QorId, Descriptor(64)}, false},
        Candidate{"NoFeatureReports", {"hidraw1", QorId, {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xC0}}, false},
        Candidate{"DescriptorUnreadable", {"hidraw1", QorId, {}}, true},
        Candidate{"DescriptorMalformed", {"hidraw1", QorId, {0xA1, 0x01}}, true},
        Candidate{"NoHidId", {"hidraw1", "", ConfigurationDescriptor}, false},
        Candidate{"GarbledHidId", {"hidraw1", "0003-000016C0-000007B3", ConfigurationDescriptor}, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SysfsProbeTest, NoHidrawClassMeansNoBoards) {
  m_Unopened = {{"/dev/hidraw0", EACCES}};
  EXPECT_TRUE(Probe().empty());
}

// Why a node is closed, told from the installed rule and udev's record of
// the node (here /dev/null under a node's name: root's, major 1, minor 3).
struct AccessRow {
  const char* Name;
  bool RuleInstalled;
  const char* UdevRecord;  // nullptr: no record
  AccessCase Expected;
};

class AccessCases : public SysfsProbeTest, public testing::WithParamInterface<AccessRow> {};

TEST_P(AccessCases, FollowTheRuleAndWhatUdevDidWithIt) {
  namespace fs = std::filesystem;
  Add({"hidraw3", QorId, {}});
  fs::create_directories(m_Folder.path() / "dev");
  fs::create_symlink("/dev/null", m_Folder.path() / "dev/hidraw3");
  if (GetParam().RuleInstalled) m_Folder.Write("rules/70-qor-boards.rules", "");
  if (GetParam().UdevRecord != nullptr) m_Folder.Write("udev/c1:3", std::string(GetParam().UdevRecord));
  SysfsBoardProbe probe(m_Folder / "sys", m_Folder / "dev",
                        {{m_Folder / "nowhere.rules", m_Folder / "rules/70-qor-boards.rules"}, m_Folder / "udev"});
  const std::vector<UnopenableBoard> boards = probe.UnopenableBoards({{m_Folder / "dev/hidraw3", EACCES}});
  ASSERT_EQ(boards.size(), 1u);
  EXPECT_EQ(boards[0].Access, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, AccessCases,
                         testing::Values(AccessRow{"NoRule", false, "G:uaccess\n", AccessCase::RuleMissing},
                                         AccessRow{"NotApplied", true, nullptr, AccessCase::RuleNotApplied},
                                         AccessRow{"OtherTagsOnly", true, "I:5\nG:seat\n", AccessCase::RuleNotApplied},
                                         AccessRow{"AppliedForTheSeat", true, "I:5\nG:seat\nG:uaccess\nQ:uaccess\n",
                                                   AccessCase::NotAtTheSeat}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A node is the device it opens, whatever the path to it: a link (a udev
// rule's /dev/qor/left), "//", a relative path, or the bare node name.
TEST(SysfsProbe, PathsToOneNodeAreOneDevice) {
  namespace fs = std::filesystem;
  test::TempFolder dev;
  fs::create_directories(dev.path() / "qor");
  fs::create_symlink("/dev/null", dev.path() / "hidraw3");
  fs::create_symlink("../hidraw3", dev.path() / "qor/left");
  dev.Write("hidraw4", "a regular file");
  SysfsBoardProbe probe("/sys", dev.path().string());
  const std::optional<std::uint64_t> node = probe.DeviceNumber("/dev/null");
  ASSERT_TRUE(node);
  for (const std::string& path :
       {dev / "qor/left", dev / "qor//left", std::string("hidraw3"), fs::relative(dev.path() / "qor/left").string()}) {
    EXPECT_EQ(probe.DeviceNumber(path), node) << path;
  }
  for (const std::string& path : {dev / "hidraw4", dev / "qor", std::string("hidraw9"), std::string("left")})
    EXPECT_EQ(probe.DeviceNumber(path), std::nullopt) << path;
}

// Where a node sits: a made-up sysfs tree laid out as the kernel lays it out,
// class/hidraw/NAME a link into devices/, NAME/device a link to the HID device.
struct Placement {
  const char* Name;
  std::string HidDevice;  // below sys/devices; "" for no such node
  std::optional<std::string> Location;
};

class Placements : public SysfsProbeTest, public testing::WithParamInterface<Placement> {};

TEST_P(Placements, GiveTheUsbLocation) {
  namespace fs = std::filesystem;
  if (!GetParam().HidDevice.empty()) {
    const std::string node = "sys/devices/" + GetParam().HidDevice + "/hidraw/hidraw3";
    m_Folder.Write(node + "/dev", "247:3\n");
    fs::create_directory_symlink("../..", m_Folder / (node + "/device"));
    fs::create_directories(m_Folder / "sys/class/hidraw");
    fs::create_directory_symlink("../../devices/" + GetParam().HidDevice + "/hidraw/hidraw3",
                                 m_Folder / "sys/class/hidraw/hidraw3");
  }
  SysfsBoardProbe probe(m_Folder / "sys");
  EXPECT_EQ(probe.UsbLocation("/dev/hidraw3"), GetParam().Location);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Placements,
    testing::Values(Placement{"BehindAHub", "pci0000:00/0000:00:14.0/usb1/1-1/1-1.4/1-1.4:1.0/0003:16C0:07B3.0001",
                              "1-1.4"},
                    Placement{"OnARootPort", "pci0000:00/0000:00:14.0/usb3/3-2/3-2:1.2/0003:16C0:07B3.0004", "3-2"},
                    Placement{"DeepOnBus10",
                              "platform/xhci/usb10/10-2/10-2.1/10-2.1.3/10-2.1.3:1.0/0003:16C0:07BA.0009", "10-2.1.3"},
                    Placement{"Virtual", "virtual/misc/uhid/0003:16C0:07B3.0002", std::nullopt},
                    Placement{"NoSuchNode", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

struct HidIdLine {
  const char* Name;
  std::string Uevent;
  std::optional<std::pair<unsigned, unsigned>> Ids;
};

class HidIdLines : public testing::TestWithParam<HidIdLine> {};

TEST_P(HidIdLines, Parse) {
  const std::optional<HidIds> ids = ParseHidId(GetParam().Uevent);
  ASSERT_EQ(ids.has_value(), GetParam().Ids.has_value());
  if (ids) {
    EXPECT_EQ(ids->VendorId, GetParam().Ids->first);
    EXPECT_EQ(ids->ProductId, GetParam().Ids->second);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HidIdLines,
    testing::Values(HidIdLine{"Usb", "DRIVER=hid-generic\nHID_ID=0003:000016C0:000007B3\n", {{0x16C0, 0x07B3}}},
                    HidIdLine{"LastLineWithoutNewline", "HID_ID=0005:0000046D:0000B342", {{0x046D, 0xB342}}},
                    HidIdLine{"Missing", "DRIVER=hid-generic\nHID_NAME=x\n", std::nullopt},
                    HidIdLine{"TrailingGarbage", "HID_ID=0003:000016C0:000007B3x\n", std::nullopt},
                    HidIdLine{"TooFewFields", "HID_ID=0003:000016C0\n", std::nullopt},
                    HidIdLine{"NotHex", "HID_ID=0003:zz:000007B3\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor
