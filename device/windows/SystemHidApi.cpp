#include "device/windows/HidApi.h"

namespace qor {
namespace {

class System final : public HidApi {
 public:
  void HidD_GetHidGuid(GUID* guid) override { ::HidD_GetHidGuid(guid); }
  HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) override {
    return ::SetupDiGetClassDevsA(guid, nullptr, nullptr, flags);
  }
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, const GUID* guid, DWORD index,
                                   SP_DEVICE_INTERFACE_DATA* data) override {
    return ::SetupDiEnumDeviceInterfaces(list, nullptr, guid, index, data);
  }
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                        SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                        SP_DEVINFO_DATA* device) override {
    return ::SetupDiGetDeviceInterfaceDetailA(list, data, detail, size, required, device);
  }
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override { return ::SetupDiDestroyDeviceInfoList(list); }
  HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD creation, DWORD flags) override {
    return ::CreateFileA(path, access, share, nullptr, creation, flags, nullptr);
  }
  BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override {
    return ::HidD_GetAttributes(device, attributes);
  }
  BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override {
    return ::HidD_GetPreparsedData(device, data);
  }
  NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override { return ::HidP_GetCaps(data, caps); }
  BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override { return ::HidD_FreePreparsedData(data); }
  BOOLEAN HidD_GetFeature(HANDLE device, void* buffer, ULONG length) override {
    return ::HidD_GetFeature(device, buffer, length);
  }
  BOOLEAN HidD_SetFeature(HANDLE device, void* buffer, ULONG length) override {
    return ::HidD_SetFeature(device, buffer, length);
  }
  CONFIGRET CM_Get_DevNode_Registry_PropertyA(DEVINST node, ULONG property, void* buffer, ULONG* length) override {
    return ::CM_Get_DevNode_Registry_PropertyA(node, property, nullptr, buffer, length, 0);
  }
  CONFIGRET CM_Get_Parent(DEVINST* parent, DEVINST node) override { return ::CM_Get_Parent(parent, node, 0); }
  BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
  void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
  DWORD GetLastError() override { return ::GetLastError(); }
};

}  // namespace

HidApi& SystemHidApi() {
  static System system;
  return system;
}

}  // namespace qor
