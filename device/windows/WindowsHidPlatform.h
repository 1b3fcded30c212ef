#pragma once
// The HID platform on Windows: interfaces listed through SetupAPI, opened
// with CreateFileA without read or write access, transfers through hid.dll.

#include <vector>

#include "device/HidPlatform.h"
#include "device/windows/HidOwners.h"

namespace qor {

class WindowsHidPlatform final : public HidPlatform {
 public:
  explicit WindowsHidPlatform(HidApi& api = SystemHidApi()) : m_Api(api) {}

  std::vector<std::optional<std::string>> ListInterfaces() override;
  HidHandle Open(const std::string& path) override;
  int OpenError() const override { return m_OpenError; }
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override;
  bool GetFeatureReportLength(HidHandle handle, int& length) override;
  bool GetFeature(HidHandle handle, std::uint8_t* buffer, int length) override;
  bool SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) override;
  void Close(HidHandle handle) override;
  void Pause(int milliseconds) override;

 private:
  // The open device of a HidHandle; INVALID_HANDLE_VALUE for one not open.
  HANDLE Device(HidHandle handle) const;

  HidApi& m_Api;
  // A HidHandle is an index here, so a Windows HANDLE is kept whole; a
  // closed slot holds no handle and is taken again by the next open.
  std::vector<DeviceHandle> m_Devices;
  int m_OpenError = 0;
};

}  // namespace qor
