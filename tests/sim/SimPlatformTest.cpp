#include "sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace qor::sim {
namespace {

using Lines = std::vector<std::string>;

SettingsReport Settings() {
  SettingsReport image{};
  image[2] = 1;
  image[3] = 4;
  image[5] = 0x5A;
  return image;
}

SettingsReport Command(std::uint8_t command) {
  SettingsReport report{};
  report[1] = command;
  return report;
}

TEST(Render, WritesEachCallOnOneLine) {
  const std::vector<std::uint8_t> reply = {0, 0, 0x41, 0x42, 0x43};
  struct Row {
    Call In;
    std::string Out;
  };
  const std::vector<Row> rows = {
      {{.Kind = CallKind::ListInterfaces, .Value = 3}, "list 3"},
      {{.Kind = CallKind::Open, .Handle = 4, .Path = "/dev/hidraw2"}, "open /dev/hidraw2 -> h4"},
      {{.Kind = CallKind::Open, .Path = "/x", .Succeeded = false}, "open /x failed"},
      {{.Kind = CallKind::GetAttributes, .Handle = 1}, "attributes h1"},
      {{.Kind = CallKind::GetFeatureReportLength, .Handle = 1, .Value = 33}, "length h1 33"},
      {{.Kind = CallKind::GetFeatureReportLength, .Handle = 1, .Succeeded = false}, "length h1 failed"},
      {{.Kind = CallKind::GetFeature, .Handle = 2, .Bytes = reply}, "get h2 [00 00 41 42 43]"},
      {{.Kind = CallKind::GetFeature, .Handle = 2, .Succeeded = false}, "get h2 failed"},
      {{.Kind = CallKind::SetFeature, .Handle = 2, .Bytes = {0, 0xFF, 0, 0}}, "set h2 [00 ff 0*2]"},
      {{.Kind = CallKind::SetFeature, .Handle = 2, .Bytes = {0, 1, 7, 0}}, "set h2 [00 01 07 00]"},
      {{.Kind = CallKind::SetFeature, .Handle = 2, .Bytes = std::vector<std::uint8_t>(33), .Succeeded = false},
       "set h2 [0*33] failed"},
      {{.Kind = CallKind::Close, .Handle = 9}, "close h9"},
      {{.Kind = CallKind::Pause, .Value = 500}, "pause 500"},
  };
  for (const Row& row : rows) EXPECT_EQ(Render(row.In), row.Out);
}

TEST(SimPlatform, ListsInterfacesInAddingOrder) {
  SimPlatform sim;
  sim.AddBoard("A");
  sim.AddInterface({.VendorId = 0x046D, .Path = "/dev/usb/mouse"});
  sim.AddBoard("B");
  const std::vector<std::optional<std::string>> expected = {"/dev/hidraw0", "/dev/usb/mouse", "/dev/hidraw2"};
  EXPECT_EQ(sim.ListInterfaces(), expected);
  EXPECT_EQ(sim.LogLines(), Lines{"list 3"});
}

struct EnumerationCase {
  const char* Name;
  friend void PrintTo(const EnumerationCase& row, std::ostream* out) { *out << row.Name; }
  std::function<void(SimPlatform&)> Fault;
  std::vector<std::optional<std::string>> Listed;
};

class EnumerationFaultTest : public testing::TestWithParam<EnumerationCase> {};

TEST_P(EnumerationFaultTest, ListsWhatTheFaultLeaves) {
  SimPlatform sim;
  for (const char* name : {"A", "B", "C"}) sim.AddBoard(name);
  GetParam().Fault(sim);
  EXPECT_EQ(sim.ListInterfaces(), GetParam().Listed);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EnumerationFaultTest,
    testing::Values(
        EnumerationCase{"None", [](SimPlatform&) {}, {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw2"}},
        EnumerationCase{"PathFails",
                        [](SimPlatform& sim) { sim.Interface(1).PathFails = true; },
                        {"/dev/hidraw0", std::nullopt, "/dev/hidraw2"}},
        EnumerationCase{"WholeListFails", [](SimPlatform& sim) { sim.FailEnumerationAfter(0); }, {}},
        EnumerationCase{
            "FailsPartWay", [](SimPlatform& sim) { sim.FailEnumerationAfter(2); }, {"/dev/hidraw0", "/dev/hidraw1"}},
        EnumerationCase{"Restored",
                        [](SimPlatform& sim) {
                          sim.FailEnumerationAfter(0);
                          sim.RestoreEnumeration();
                        },
                        {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw2"}},
        EnumerationCase{"UnpluggedLeftOut", [](SimPlatform& sim) { sim.Unplug(1); }, {"/dev/hidraw0", "/dev/hidraw2"}}),
    [](const auto& info) { return info.param.Name; });

TEST(SimPlatform, OpensAndDescribesInterfaces) {
  SimPlatform sim;
  sim.AddBoard("A", {}, 0x07BA);
  sim.AddInterface({.VendorId = 0x1234, .ProductId = 0x07B3, .FeatureReportLength = 65});
  sim.AddInterface({.OpenFails = true});
  sim.AddInterface({.AttributesFail = true, .CapabilitiesFail = true});

  const HidHandle board = sim.Open("/dev/hidraw0");
  const HidHandle foreign = sim.Open("/dev/hidraw1");
  EXPECT_EQ(sim.Open("/dev/hidraw2"), InvalidHidHandle);
  EXPECT_EQ(sim.Open("/dev/nothing"), InvalidHidHandle);
  const HidHandle broken = sim.Open("/dev/hidraw3");
  EXPECT_EQ(sim.InterfaceOf(foreign), 1);

  HidAttributes attributes;
  int length = 0;
  EXPECT_TRUE(sim.GetAttributes(board, attributes));
  EXPECT_EQ(attributes.VendorId, 0x16C0);
  EXPECT_EQ(attributes.ProductId, 0x07BA);
  EXPECT_TRUE(sim.GetFeatureReportLength(foreign, length));
  EXPECT_EQ(length, 65);
  EXPECT_FALSE(sim.GetAttributes(broken, attributes));
  EXPECT_FALSE(sim.GetFeatureReportLength(broken, length));
  EXPECT_FALSE(sim.GetAttributes(77, attributes));

  EXPECT_EQ(sim.LogLines(),
            (Lines{"open /dev/hidraw0 -> h1", "open /dev/hidraw1 -> h2", "open /dev/hidraw2 failed",
                   "open /dev/nothing failed", "open /dev/hidraw3 -> h3", "attributes h1", "length h2 65",
                   "attributes h3 failed", "length h3 failed", "attributes h77 failed"}));
  EXPECT_EQ(sim.OpenHandles(), (std::vector<HidHandle>{1, 2, 3}));
  sim.Close(foreign);
  sim.Close(foreign);
  EXPECT_EQ(sim.OpenHandles(), (std::vector<HidHandle>{1, 3}));
  EXPECT_EQ(sim.LogLines().back(), "close h2 failed");
}

// Transfers that the platform must refuse as the kernel would.
struct RefusedCase {
  const char* Name;
  friend void PrintTo(const RefusedCase& row, std::ostream* out) { *out << row.Name; }
  std::function<bool(SimPlatform&, HidHandle board, HidHandle joystick)> Transfer;
};

class RefusedTransferTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTransferTest, FailsAndLeavesTheBoardAsItWas) {
  SimPlatform sim;
  auto board = sim.AddBoard("A", Settings());
  sim.AddInterface({.FeatureReportLength = 9}, board);
  const HidHandle config = sim.Open("/dev/hidraw0");
  const HidHandle joystick = sim.Open("/dev/hidraw1");
  EXPECT_FALSE(GetParam().Transfer(sim, config, joystick));
  EXPECT_EQ(board->Stored(), Settings());
  EXPECT_FALSE(board->IdentificationSelected());
}

bool Set(SimPlatform& sim, HidHandle handle, SettingsReport report, int length = 33) {
  return sim.SetFeature(handle, report.data(), length);
}
bool Get(SimPlatform& sim, HidHandle handle, int length = 33, std::uint8_t reportId = 0) {
  std::vector<std::uint8_t> buffer(65, 0);
  buffer[0] = reportId;
  return sim.GetFeature(handle, buffer.data(), length);
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, RefusedTransferTest,
    testing::Values(
        RefusedCase{"SetShorterThanReport",
                    [](SimPlatform& sim, HidHandle h, HidHandle) { return Set(sim, h, Command(0xFF), 32); }},
        RefusedCase{"GetShorterThanReport", [](SimPlatform& sim, HidHandle h, HidHandle) { return Get(sim, h, 32); }},
        RefusedCase{"GetLongerThanReport", [](SimPlatform& sim, HidHandle h, HidHandle) { return Get(sim, h, 34); }},
        RefusedCase{"GetOtherReportId", [](SimPlatform& sim, HidHandle h, HidHandle) { return Get(sim, h, 33, 1); }},
        RefusedCase{"UnknownHandle",
                    [](SimPlatform& sim, HidHandle, HidHandle) { return Set(sim, 99, Command(0xFF)); }},
        RefusedCase{"ClosedHandle",
                    [](SimPlatform& sim, HidHandle h, HidHandle) {
                      sim.Close(h);
                      return Set(sim, h, Command(0xFF));
                    }},
        RefusedCase{"BoardsOtherInterface",
                    [](SimPlatform& sim, HidHandle, HidHandle j) {
                      std::uint8_t report[9] = {0, 0xFF};
                      return sim.SetFeature(j, report, 9);
                    }},
        RefusedCase{"UnpluggedBoard",
                    [](SimPlatform& sim, HidHandle h, HidHandle) {
                      sim.Unplug(0);
                      return Set(sim, h, Command(0xFF));
                    }},
        RefusedCase{"InjectedSetFault",
                    [](SimPlatform& sim, HidHandle h, HidHandle) {
                      sim.FailSetFeature();
                      return Set(sim, h, Command(0xFF));
                    }}),
    [](const auto& info) { return info.param.Name; });

TEST(SimPlatform, ForeignInterfaceHasNoFirmware) {
  SimPlatform sim;
  sim.AddInterface({});
  EXPECT_FALSE(Set(sim, sim.Open("/dev/hidraw0"), Command(0xFF)));
}

TEST(SimPlatform, TransfersReachTheFirmware) {
  SimPlatform sim;
  auto board = sim.AddBoard("AB", Settings());
  const HidHandle h = sim.Open("/dev/hidraw0");
  SettingsReport buffer{};
  ASSERT_TRUE(sim.SetFeature(h, Command(0xFF).data(), 33));
  ASSERT_TRUE(sim.GetFeature(h, buffer.data(), 33));
  EXPECT_EQ(buffer, board->GetFeature());
  EXPECT_EQ(sim.LogLines(), (Lines{"open /dev/hidraw0 -> h1", "set h1 [00 ff 0*31]", "get h1 [00 00 41 42 0*29]"}));
}

// Which calls of a fixed sequence fail under each transfer fault.
struct CountingCase {
  const char* Name;
  friend void PrintTo(const CountingCase& row, std::ostream* out) { *out << row.Name; }
  std::function<void(SimPlatform&)> Fault;
  std::vector<bool> Succeeded;  // for: get, set, get, set, get
};

class TransferFaultTest : public testing::TestWithParam<CountingCase> {};

TEST_P(TransferFaultTest, StrikesTheCountedCallOnly) {
  SimPlatform sim;
  sim.AddBoard("A");
  sim.AddBoard("B");
  const HidHandle first = sim.Open("/dev/hidraw0");
  const HidHandle second = sim.Open("/dev/hidraw1");
  Get(sim, first);  // calls made before the fault is set do not count
  GetParam().Fault(sim);
  const std::vector<bool> succeeded = {Get(sim, first), Set(sim, second, Command(1)), Get(sim, second),
                                       Set(sim, first, Command(1)), Get(sim, first)};
  EXPECT_EQ(succeeded, GetParam().Succeeded);
}

INSTANTIATE_TEST_SUITE_P(
    Counting, TransferFaultTest,
    testing::Values(
        CountingCase{"FirstGet", [](SimPlatform& sim) { sim.FailGetFeature(); }, {false, true, true, true, true}},
        CountingCase{
            "SecondGetOnAnyHandle", [](SimPlatform& sim) { sim.FailGetFeature(2); }, {true, true, false, true, true}},
        CountingCase{"SecondSet", [](SimPlatform& sim) { sim.FailSetFeature(2); }, {true, true, true, false, true}},
        CountingCase{"ThirdTransfer", [](SimPlatform& sim) { sim.FailTransfer(3); }, {true, true, false, true, true}},
        CountingCase{"TwoFaults",
                     [](SimPlatform& sim) {
                       sim.FailTransfer(2);
                       sim.FailGetFeature(3);
                     },
                     {true, false, true, true, false}}),
    [](const auto& info) { return info.param.Name; });

TEST(SimPlatform, FailingSetNeverReachesTheBoard) {
  SimPlatform sim;
  auto board = sim.AddBoard("A");
  const HidHandle h = sim.Open("/dev/hidraw0");
  sim.FailTransfer();
  EXPECT_FALSE(Set(sim, h, Command(CommandIdentify)));
  EXPECT_FALSE(board->IdentificationSelected());
  EXPECT_EQ(sim.LogLines().back(), "set h1 [00 ff 0*31] failed");
}

TEST(SimPlatform, UnplugKillsOpenHandlesUntilReopenedAfterReplug) {
  SimPlatform sim;
  auto board = sim.AddBoard("A");
  sim.AddInterface({.FeatureReportLength = 0}, board);
  sim.AddBoard("B");
  const HidHandle old = sim.Open("/dev/hidraw0");
  sim.Unplug(*board);

  HidAttributes attributes;
  EXPECT_FALSE(sim.GetAttributes(old, attributes));
  EXPECT_FALSE(Get(sim, old));
  EXPECT_EQ(sim.Open("/dev/hidraw0"), InvalidHidHandle);
  EXPECT_EQ(sim.ListInterfaces(), (std::vector<std::optional<std::string>>{"/dev/hidraw2"}));
  sim.Close(old);
  EXPECT_TRUE(sim.OpenHandles().empty()) << "close still releases a dead handle";

  sim.Replug(*board);
  EXPECT_EQ(sim.ListInterfaces().size(), 3u);
  EXPECT_TRUE(Get(sim, sim.Open("/dev/hidraw0")));
}

TEST(SimPlatform, UnplugAfterDeliveryFailsTheWriteTheBoardTook) {
  SimPlatform sim;
  auto board = sim.AddBoard("A", Settings());
  auto other = sim.AddBoard("B");
  const HidHandle h = sim.Open("/dev/hidraw0");
  sim.UnplugAfterDelivery(*board);
  SettingsReport store = Settings();
  store[2] = 3;

  // Reads, other boards and writes the firmware refuses leave the fault armed.
  EXPECT_TRUE(Get(sim, h));
  EXPECT_TRUE(Set(sim, sim.Open("/dev/hidraw1"), Command(CommandIdentify)));
  EXPECT_FALSE(Set(sim, h, store, 32));
  EXPECT_EQ(sim.ListInterfaces().size(), 2u);

  EXPECT_FALSE(Set(sim, h, store));
  EXPECT_EQ(sim.LogLines().back(), "set h1 [00 00 03 04 00 5a 0*27] failed");
  EXPECT_EQ(board->Stored(), store) << "the board took the write";
  EXPECT_FALSE(Get(sim, h));
  EXPECT_EQ(sim.ListInterfaces(), (std::vector<std::optional<std::string>>{"/dev/hidraw1"}));
  EXPECT_TRUE(other->IdentificationSelected());

  // It strikes once: replugged, the board takes writes again.
  sim.Replug(*board);
  EXPECT_TRUE(Set(sim, sim.Open("/dev/hidraw0"), Settings()));
  EXPECT_EQ(board->Stored(), Settings());
}

TEST(SimPlatform, CorruptsRepliesOnceOrAlways) {
  SimPlatform sim;
  auto board = sim.AddBoard("A", Settings());
  const HidHandle h = sim.Open("/dev/hidraw0");
  SettingsReport corrupted = Settings();
  corrupted[5] ^= 0xFF;
  SettingsReport buffer{};
  const auto read = [&] {
    buffer[0] = 0;
    EXPECT_TRUE(sim.GetFeature(h, buffer.data(), 33));
    return buffer;
  };

  sim.CorruptReplies(*board, 5);
  EXPECT_EQ(read(), corrupted);
  EXPECT_EQ(read(), Settings());

  sim.CorruptReplies(*board, 5, Always);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(read(), corrupted);
  EXPECT_EQ(board->Stored(), Settings()) << "only the reply is altered";
}

TEST(SimPlatform, RecordsPausesWithoutSleeping) {
  SimPlatform sim;
  sim.Pause(600000);
  sim.Pause(30);
  EXPECT_EQ(sim.LogLines(), (Lines{"pause 600000", "pause 30"}));
  EXPECT_EQ(sim.CallCount(CallKind::Pause), 2);
  sim.ClearLog();
  EXPECT_TRUE(sim.Log().empty());
}

TEST(SimPlatform, FindsTheConfigurationInterfaceOfABoard) {
  SimPlatform sim;
  sim.AddInterface({.VendorId = 0x046D});
  auto board = std::make_shared<VirtualBoard>("A", SettingsReport{});
  sim.AddInterface({.FeatureReportLength = 9}, board);
  sim.AddInterface({}, board);
  EXPECT_EQ(sim.ConfigurationInterfaceOf(*board), 2);
  EXPECT_EQ(sim.PathOf(2), "/dev/hidraw2");
  EXPECT_EQ(sim.ConfigurationInterfaceOf(VirtualBoard("X", {})), -1);
}

}  // namespace
}  // namespace qor::sim
