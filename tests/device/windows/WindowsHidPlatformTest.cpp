// The Windows backend against a fake of SetupAPI, hid.dll and kernel32: what
// it calls, with which arguments, and that whatever it opens it closes.

#include "device/windows/WindowsHidPlatform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/DeviceTable.h"
#include "device/windows/UnopenedBoardsHint.h"
#include "device/windows/WindowsBoardProbe.h"
#include "settings/SystemError.h"

namespace qor {
namespace {

struct FakeInterface {
  std::string Path;
  std::uint16_t VendorId = QorVendorId;
  std::uint16_t ProductId = QorFirstProductId;
  USHORT FeatureLength = 33;
  bool DetailFails = false;
  DWORD OpenError = 0;  // 0: opens
  bool AttributesFail = false;
};

// Handles far above 32 bits: a backend that kept only an int would lose them.
HANDLE FakeHandle(std::size_t i) { return reinterpret_cast<HANDLE>(std::uintptr_t{0x7ff1'0000'0000} + 16 * i); }
HDEVINFO FakeList() { return reinterpret_cast<HDEVINFO>(std::uintptr_t{0x7ff2'0000'0000}); }

class FakeHidApi final : public HidApi {
 public:
  std::vector<FakeInterface> Interfaces;
  std::size_t EnumerationFailsAt = SIZE_MAX;  // the member index whose enumeration fails
  bool ListFails = false;
  bool TransfersFail = false;
  std::vector<std::string> Transcript;
  std::set<HANDLE> Open;
  int Opened = 0, Closed = 0, ListsMade = 0, ListsDestroyed = 0, DataMade = 0, DataFreed = 0;
  std::vector<std::string> Faults;  // calls on what is not open

  void HidD_GetHidGuid(GUID* guid) override { *guid = HidClass(); }
  HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) override {
    Transcript.push_back("SetupDiGetClassDevsA " + std::to_string(flags));
    if (std::memcmp(guid, &Class, sizeof Class) != 0) Faults.push_back("class of GetClassDevs");
    if (ListFails) return INVALID_HANDLE_VALUE;
    ++ListsMade;
    return FakeList();
  }
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, const GUID*, DWORD index, SP_DEVICE_INTERFACE_DATA* data) override {
    Transcript.push_back("Enum " + std::to_string(index));
    if (list != FakeList() || data->cbSize != sizeof *data) Faults.push_back("enum arguments");
    if (index >= Interfaces.size() || index >= EnumerationFailsAt) return FALSE;
    data->Reserved = index;
    return TRUE;
  }
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO, SP_DEVICE_INTERFACE_DATA* data,
                                        SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                        SP_DEVINFO_DATA* device) override {
    const FakeInterface& it = Interfaces[data->Reserved];
    const DWORD needed =
        static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + it.Path.size() + 1);
    Transcript.push_back(detail == nullptr ? "Detail size" : "Detail " + std::to_string(size));
    if (detail == nullptr) {
      *required = needed;
      return FALSE;
    }
    if (it.DetailFails || size < needed || detail->cbSize != sizeof *detail) return FALSE;
    std::memcpy(detail->DevicePath, it.Path.c_str(), it.Path.size() + 1);
    if (device != nullptr) device->DevInst = static_cast<DEVINST>(data->Reserved + 1);
    return TRUE;
  }
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override {
    Transcript.push_back("SetupDiDestroyDeviceInfoList");
    if (list != FakeList()) Faults.push_back("destroyed a list never made");
    ++ListsDestroyed;
    return TRUE;
  }
  HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD creation, DWORD flags) override {
    Transcript.push_back(std::string("CreateFileA ") + path + " " + std::to_string(access) + " " +
                         std::to_string(share) + " " + std::to_string(creation) + " " + std::to_string(flags));
    for (std::size_t i = 0; i < Interfaces.size(); ++i) {
      if (Interfaces[i].Path != path) continue;
      if (Interfaces[i].OpenError != 0) {
        m_Error = Interfaces[i].OpenError;
        return INVALID_HANDLE_VALUE;
      }
      ++Opened;
      Open.insert(FakeHandle(i));
      return FakeHandle(i);
    }
    m_Error = ERROR_FILE_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
  }
  BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override {
    Transcript.push_back("HidD_GetAttributes " + Name(device));
    const FakeInterface* it = Find(device, "HidD_GetAttributes");
    if (it == nullptr || it->AttributesFail || attributes->Size != sizeof *attributes) return FALSE;
    attributes->VendorID = it->VendorId;
    attributes->ProductID = it->ProductId;
    return TRUE;
  }
  BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override {
    Transcript.push_back("HidD_GetPreparsedData " + Name(device));
    if (Find(device, "HidD_GetPreparsedData") == nullptr) return FALSE;
    ++DataMade;
    *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(device);
    return TRUE;
  }
  NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override {
    Transcript.push_back("HidP_GetCaps");
    const FakeInterface* it = Find(reinterpret_cast<HANDLE>(data), "HidP_GetCaps");
    if (it == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
    caps->FeatureReportByteLength = it->FeatureLength;
    return HIDP_STATUS_SUCCESS;
  }
  BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA) override {
    Transcript.push_back("HidD_FreePreparsedData");
    ++DataFreed;
    return TRUE;
  }
  BOOLEAN HidD_GetFeature(HANDLE device, void* buffer, ULONG length) override {
    return Transfer("HidD_GetFeature", device, buffer, length);
  }
  BOOLEAN HidD_SetFeature(HANDLE device, void* buffer, ULONG length) override {
    return Transfer("HidD_SetFeature", device, buffer, length);
  }
  BOOL CloseHandle(HANDLE handle) override {
    Transcript.push_back("CloseHandle " + Name(handle));
    if (Open.erase(handle) == 0) Faults.push_back("closed " + Name(handle) + ", which is not open");
    ++Closed;
    return TRUE;
  }
  // Interface n's device is node n + 1, without a location; its parent,
  // node 100 + n + 1, is the USB device at port n + 1.
  CONFIGRET CM_Get_DevNode_Registry_PropertyA(DEVINST node, ULONG property, void* buffer, ULONG* length) override {
    if (property != CM_DRP_LOCATION_INFORMATION || node < 100) return CR_NO_SUCH_VALUE;
    const std::string location = "Port_#000" + std::to_string(node - 100) + ".Hub_#0001";
    if (*length <= location.size()) return CR_BUFFER_SMALL;
    std::memcpy(buffer, location.c_str(), location.size() + 1);
    return CR_SUCCESS;
  }
  CONFIGRET CM_Get_Parent(DEVINST* parent, DEVINST node) override {
    if (node >= 100) return CR_NO_SUCH_DEVNODE;
    *parent = node + 100;
    return CR_SUCCESS;
  }
  void Sleep(DWORD milliseconds) override { Transcript.push_back("Sleep " + std::to_string(milliseconds)); }
  DWORD GetLastError() override { return m_Error; }

  static GUID HidClass() { return Class; }

 private:
  static constexpr GUID Class = {0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

  std::string Name(HANDLE handle) const {
    for (std::size_t i = 0; i < Interfaces.size(); ++i)
      if (FakeHandle(i) == handle) return Interfaces[i].Path;
    return "?";
  }
  const FakeInterface* Find(HANDLE device, const char* call) {
    if (Open.count(device) == 0) {
      Faults.push_back(std::string(call) + " on a handle not open");
      return nullptr;
    }
    for (std::size_t i = 0; i < Interfaces.size(); ++i)
      if (FakeHandle(i) == device) return &Interfaces[i];
    return nullptr;
  }
  BOOLEAN Transfer(const char* call, HANDLE device, void* buffer, ULONG length) {
    Transcript.push_back(std::string(call) + " " + Name(device) + " " + std::to_string(length) + " id " +
                         std::to_string(static_cast<std::uint8_t*>(buffer)[0]));
    if (Find(device, call) == nullptr || TransfersFail) return FALSE;
    if (std::string(call) == "HidD_GetFeature") std::memset(static_cast<std::uint8_t*>(buffer) + 1, 0, length - 1);
    return TRUE;
  }

  DWORD m_Error = 0;
};

constexpr const char* Open033 = " 0 3 3 0";  // access 0, share read|write, OPEN_EXISTING, no flags

struct ScanRow {
  const char* Name;
  std::vector<FakeInterface> Interfaces;
  std::size_t EnumerationFailsAt = SIZE_MAX;
  std::vector<std::string> Rows;  // the paths that get rows, in order
  std::vector<std::string> NeverOpened{};
};

void PrintTo(const ScanRow& row, std::ostream* out) { *out << row.Name; }

FakeInterface Board(const std::string& path) { return {path}; }
FakeInterface With(FakeInterface it, void (*change)(FakeInterface&)) {
  change(it);
  return it;
}

std::vector<FakeInterface> Boards(int count) {
  std::vector<FakeInterface> boards;
  for (int i = 0; i < count; ++i) boards.push_back(Board("b" + std::to_string(i)));
  return boards;
}

class WindowsScanTest : public testing::TestWithParam<ScanRow> {};

TEST_P(WindowsScanTest, KeepsConfigurationInterfacesAndClosesTheRest) {
  const ScanRow& row = GetParam();
  FakeHidApi api;
  api.Interfaces = row.Interfaces;
  api.EnumerationFailsAt = row.EnumerationFailsAt;
  {
    WindowsHidPlatform platform(api);
    DeviceTable table(platform);
    table.Scan();
    std::vector<std::string> rows;
    for (int i = 0; i < table.Count(); ++i) rows.push_back(table.Entry(i).Path);
    EXPECT_EQ(rows, row.Rows);
    EXPECT_EQ(api.Open.size(), row.Rows.size()) << "only the rows stay open";
  }
  EXPECT_EQ(api.Opened, api.Closed);
  EXPECT_TRUE(api.Open.empty());
  EXPECT_EQ(api.DataMade, api.DataFreed);
  EXPECT_EQ(api.ListsMade, api.ListsDestroyed);
  EXPECT_EQ(api.Faults, std::vector<std::string>{});
  for (const std::string& line : api.Transcript) {
    if (line.rfind("CreateFileA ", 0) == 0) {
      EXPECT_EQ(line.substr(line.size() - 8), Open033) << line;
    }
    for (const std::string& path : row.NeverOpened) EXPECT_NE(line, "CreateFileA " + path + Open033);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scans, WindowsScanTest,
    testing::Values(
        ScanRow{"OneBoard", {Board("a")}, SIZE_MAX, {"a"}},
        ScanRow{"EnumerationFailsPartWay", {Board("a"), Board("b"), Board("c")}, 2, {"a", "b"}, {"c"}},
        ScanRow{"DetailFails",
                {With(Board("a"), [](FakeInterface& i) { i.DetailFails = true; }), Board("b")},
                SIZE_MAX,
                {"b"},
                {"a"}},
        ScanRow{"CannotBeOpened",
                {With(Board("a"), [](FakeInterface& i) { i.OpenError = ERROR_ACCESS_DENIED; }), Board("b")},
                SIZE_MAX,
                {"b"}},
        ScanRow{"ForeignDevice",
                {With(Board("k"), [](FakeInterface& i) { i.VendorId = 0x046D; }),
                 With(Board("p"), [](FakeInterface& i) { i.ProductId = 0x07BB; }), Board("a")},
                SIZE_MAX,
                {"a"}},
        ScanRow{"AttributesFail", {With(Board("a"), [](FakeInterface& i) { i.AttributesFail = true; })}, SIZE_MAX, {}},
        ScanRow{"FeatureLengths",
                {With(Board("l0"), [](FakeInterface& i) { i.FeatureLength = 0; }),
                 With(Board("l32"), [](FakeInterface& i) { i.FeatureLength = 32; }), Board("l33"),
                 With(Board("l65"), [](FakeInterface& i) { i.FeatureLength = 65; })},
                SIZE_MAX,
                {"l33"}},
        ScanRow{"ElevenBoards",
                Boards(11),
                SIZE_MAX,
                {"b0", "b1", "b2", "b3", "b4", "b5", "b6", "b7", "b8", "b9"},
                {"b10"}}),
    [](const testing::TestParamInfo<ScanRow>& info) { return std::string(info.param.Name); });

// The calls of one scan and one identification, in order, with their arguments.
TEST(WindowsTranscriptTest, ScanAndIdentifyMakeExactlyTheseCalls) {
  FakeHidApi api;
  api.Interfaces = {Board("\\\\?\\hid#vid_16c0&pid_07b3#1"),
                    With(Board("kbd"), [](FakeInterface& i) { i.VendorId = 1; })};
  WindowsHidPlatform platform(api);
  DeviceLink link(platform);
  link.Table().Scan();
  char text[IdentificationTextCapacity] = {};
  ASSERT_TRUE(link.IdentifyDevice(0, text, sizeof text));
  const std::string board = "\\\\?\\hid#vid_16c0&pid_07b3#1";
  const auto detail = [](const std::string& path) {
    return "Detail " + std::to_string(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
  };
  const std::vector<std::string> expected = {"SetupDiGetClassDevsA 18",  // DIGCF_PRESENT | DIGCF_DEVICEINTERFACE
                                             "Enum 0",
                                             "Detail size",
                                             detail(board),
                                             "Enum 1",
                                             "Detail size",
                                             detail("kbd"),
                                             "Enum 2",
                                             "SetupDiDestroyDeviceInfoList",
                                             "CreateFileA " + board + Open033,
                                             "HidD_GetAttributes " + board,
                                             "HidD_GetPreparsedData " + board,
                                             "HidP_GetCaps",
                                             "HidD_FreePreparsedData",
                                             "CreateFileA kbd" + std::string(Open033),
                                             "HidD_GetAttributes kbd",
                                             "CloseHandle kbd",
                                             "HidD_SetFeature " + board + " 33 id 0",
                                             "Sleep 30",
                                             "HidD_GetFeature " + board + " 33 id 0",
                                             "HidD_SetFeature " + board + " 33 id 0",
                                             "Sleep 30",
                                             "HidD_GetFeature " + board + " 33 id 0"};
  EXPECT_EQ(api.Transcript, expected);
}

TEST(WindowsTranscriptTest, FailedTransferAndClosedHandleFail) {
  FakeHidApi api;
  api.Interfaces = {Board("a")};
  WindowsHidPlatform platform(api);
  DeviceLink link(platform);
  link.Table().Scan();
  api.TransfersFail = true;
  EXPECT_FALSE(link.ReadDeviceSettings(0));
  EXPECT_EQ(link.SaveDeviceSettings(0, SettingsReport{}), SaveOutcome::CommunicationFailure);
  api.TransfersFail = false;
  const HidHandle handle = link.Table().Entry(0).Handle;
  platform.Close(handle);
  const std::size_t calls = api.Transcript.size();
  std::uint8_t buffer[33] = {};
  EXPECT_FALSE(platform.GetFeature(handle, buffer, 33));
  EXPECT_FALSE(platform.SetFeature(InvalidHidHandle, buffer, 33));
  EXPECT_EQ(api.Transcript.size(), calls) << "no device call on a closed handle";
  EXPECT_EQ(api.Faults, std::vector<std::string>{});
}

TEST(WindowsProbeTest, NamesUnopenableBoardsAndLocations) {
  FakeHidApi api;
  api.Interfaces = {
      With(Board("\\\\?\\HID#VID_16C0&PID_07B4#x"), [](FakeInterface& i) { i.OpenError = ERROR_ACCESS_DENIED; }),
      With(Board("\\\\?\\hid#vid_046d&pid_c52b#y"), [](FakeInterface& i) { i.OpenError = ERROR_ACCESS_DENIED; }),
      Board("\\\\?\\hid#vid_16c0&pid_07ba#z")};
  WindowsHidPlatform platform(api);
  DeviceTable table(platform);
  table.Scan();
  const int opened = api.Opened;
  WindowsBoardProbe probe(api);
  const std::vector<UnopenableBoard> boards = probe.UnopenableBoards(table.Unopened());
  ASSERT_EQ(boards.size(), 1u);
  EXPECT_EQ(boards[0].Path, api.Interfaces[0].Path);
  EXPECT_EQ(boards[0].Error, ERROR_ACCESS_DENIED);
  EXPECT_EQ(api.Opened, opened) << "the probe opens nothing the scan tried";
  EXPECT_EQ(probe.UsbLocation("\\\\?\\HID#vid_16c0&pid_07ba#Z"), "Port_#0003.Hub_#0001");
  EXPECT_EQ(probe.UsbLocation("\\\\.\\hid#vid_16c0&pid_07ba#z"), "Port_#0003.Hub_#0001");
  EXPECT_EQ(probe.UsbLocation("nowhere"), std::nullopt);
  EXPECT_FALSE(probe.IsSamePath("\\\\?\\hid#vid_16c0&pid_07ba#z", "\\\\?\\hid#vid_16c0&pid_07ba#z2"));
  EXPECT_FALSE(probe.IsSamePath("\\\\?\\hid#a", "?\\hid#a"));
  EXPECT_EQ(api.ListsMade, api.ListsDestroyed);
}

// The window's line names each reason once, with the number of QOR boards
// it keeps closed, and leaves other devices out.
TEST(WindowsProbeTest, HintCountsTheClosedBoardsByReason) {
  FakeHidApi api;
  const auto closed = [](const char* path, DWORD error) {
    FakeInterface board = Board(path);
    board.OpenError = error;
    return board;
  };
  api.Interfaces = {closed("\\\\?\\hid#vid_16c0&pid_07b4#a", ERROR_ACCESS_DENIED),
                    closed("\\\\?\\hid#vid_16c0&pid_07b5#b", ERROR_SHARING_VIOLATION),
                    closed("\\\\?\\hid#vid_046d&pid_c52b#c", ERROR_SHARING_VIOLATION),
                    closed("\\\\?\\hid#vid_16c0&pid_07b6#d", ERROR_ACCESS_DENIED)};
  WindowsHidPlatform platform(api);
  DeviceTable table(platform);
  table.Scan();
  WindowsBoardProbe probe(api);
  UnopenedBoardsHint hint(probe);
  EXPECT_EQ(hint.Hint(table.Unopened()),
            "2 QOR boards are attached, but Windows cannot open them: " + SystemErrorText(ERROR_ACCESS_DENIED) +
                "\nA QOR board is attached, but Windows cannot open it: " + SystemErrorText(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(hint.Hint({}), "");
}

}  // namespace
}  // namespace qor
