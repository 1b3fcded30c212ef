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
  BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property, BYTE* buffer,
                                         DWORD size, DWORD* required) override {
    return ::SetupDiGetDeviceRegistryPropertyA(list, device, property, nullptr, buffer, size, required);
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
