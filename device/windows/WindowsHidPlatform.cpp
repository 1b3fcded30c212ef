#include "device/windows/WindowsHidPlatform.h"

#include "device/windows/HidInterfaces.h"

namespace qor {

std::vector<std::optional<std::string>> WindowsHidPlatform::ListInterfaces() {
  std::vector<std::optional<std::string>> paths;
  ForEachHidInterface(m_Api, [&](const std::optional<std::string>& path, HDEVINFO, SP_DEVINFO_DATA&) {
    paths.push_back(path);
    return true;
  });
  return paths;
}

HidHandle WindowsHidPlatform::Open(const std::string& path) {
  // Neither read nor write access: attributes, capabilities and feature
  // reports work without, and no other program's use of the board is barred.
  DeviceHandle device(m_Api, m_Api.CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0));
  if (!device) {
    m_OpenError = static_cast<int>(m_Api.GetLastError());
    return InvalidHidHandle;
  }
  std::size_t slot = 0;
  while (slot < m_Devices.size() && m_Devices[slot]) ++slot;
  if (slot == m_Devices.size()) {
    m_Devices.push_back(std::move(device));
  } else {
    m_Devices[slot] = std::move(device);
  }
  return static_cast<HidHandle>(slot);
}

HANDLE WindowsHidPlatform::Device(HidHandle handle) const {
  if (handle < 0 || static_cast<std::size_t>(handle) >= m_Devices.size()) return INVALID_HANDLE_VALUE;
  const DeviceHandle& device = m_Devices[static_cast<std::size_t>(handle)];
  return device ? device.Get() : INVALID_HANDLE_VALUE;
}

bool WindowsHidPlatform::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  const HANDLE device = Device(handle);
  HIDD_ATTRIBUTES read{};
  read.Size = sizeof read;
  if (device == INVALID_HANDLE_VALUE || !m_Api.HidD_GetAttributes(device, &read)) return false;
  attributes = {read.VendorID, read.ProductID};
  return true;
}

bool WindowsHidPlatform::GetFeatureReportLength(HidHandle handle, int& length) {
  const HANDLE device = Device(handle);
  PHIDP_PREPARSED_DATA data = nullptr;
  if (device == INVALID_HANDLE_VALUE || !m_Api.HidD_GetPreparsedData(device, &data)) return false;
  // Released right after the capabilities are read.
  const PreparsedData owned(m_Api, data);
  HIDP_CAPS caps{};
  if (m_Api.HidP_GetCaps(owned.Get(), &caps) != HIDP_STATUS_SUCCESS) return false;
  length = caps.FeatureReportByteLength;
  return true;
}

bool WindowsHidPlatform::GetFeature(HidHandle handle, std::uint8_t* buffer, int length) {
  const HANDLE device = Device(handle);
  return device != INVALID_HANDLE_VALUE && length > 0 &&
         m_Api.HidD_GetFeature(device, buffer, static_cast<ULONG>(length));
}

bool WindowsHidPlatform::SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) {
  const HANDLE device = Device(handle);
  // hid.dll takes a mutable buffer but only reads it.
  return device != INVALID_HANDLE_VALUE && length > 0 &&
         m_Api.HidD_SetFeature(device, const_cast<std::uint8_t*>(buffer), static_cast<ULONG>(length));
}

void WindowsHidPlatform::Close(HidHandle handle) {
  if (Device(handle) != INVALID_HANDLE_VALUE)
    m_Devices[static_cast<std::size_t>(handle)] = DeviceHandle(m_Api, INVALID_HANDLE_VALUE);
}

void WindowsHidPlatform::Pause(int milliseconds) {
  if (milliseconds > 0) m_Api.Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace qor
