#pragma once
// The SetupAPI, hid.dll and kernel32 calls the Windows backend makes, one
// virtual function each under its Windows name, so that tests put a fake of
// them below the backend as the hidraw tests fake the kernel. SystemHidApi()
// is the real one.

#include <windows.h>
// After windows.h, which they need; mingw-w64's hid.dll header declares its
// functions without C linkage.
extern "C" {
#include <hidsdi.h>
}
#include <cfgmgr32.h>
#include <setupapi.h>

namespace qor {

class HidApi {
 public:
  virtual ~HidApi() = default;

  virtual void HidD_GetHidGuid(GUID* guid) = 0;
  virtual HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) = 0;
  virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, const GUID* guid, DWORD index,
                                           SP_DEVICE_INTERFACE_DATA* data) = 0;
  virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                                SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                                SP_DEVINFO_DATA* device) = 0;
  virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) = 0;
  virtual HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD creation, DWORD flags) = 0;
  virtual BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) = 0;
  virtual BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) = 0;
  virtual NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) = 0;
  virtual BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) = 0;
  virtual BOOLEAN HidD_GetFeature(HANDLE device, void* buffer, ULONG length) = 0;
  virtual BOOLEAN HidD_SetFeature(HANDLE device, void* buffer, ULONG length) = 0;
  // The location of a device node and the node above it, for qorctl's USB location.
  virtual CONFIGRET CM_Get_DevNode_Registry_PropertyA(DEVINST node, ULONG property, void* buffer, ULONG* length) = 0;
  virtual CONFIGRET CM_Get_Parent(DEVINST* parent, DEVINST node) = 0;
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual void Sleep(DWORD milliseconds) = 0;
  virtual DWORD GetLastError() = 0;
};

HidApi& SystemHidApi();

}  // namespace qor
