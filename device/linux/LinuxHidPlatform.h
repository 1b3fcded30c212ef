#pragma once
// The HID platform on Linux: hidraw nodes listed from sysfs, transfers
// through the hidraw ioctls.

#include "device/HidPlatform.h"

namespace qor {

class LinuxHidPlatform : public HidPlatform {
 public:
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
  int m_OpenError = 0;
};

}  // namespace qor
