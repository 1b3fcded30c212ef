#include "device/linux/LinuxHidPlatform.h"

#include <cerrno>
#include <ctime>

#include "device/ReportDescriptor.h"
#include "device/linux/Hidraw.h"
#include "device/linux/HidrawEnumeration.h"

namespace qor {

std::vector<std::optional<std::string>> LinuxHidPlatform::ListInterfaces() { return ListHidrawNodes(); }

HidHandle LinuxHidPlatform::Open(const std::string& path) {
  const int fd = hidraw::OpenNode(path.c_str());
  if (fd >= 0) return fd;
  m_OpenError = -fd;
  return InvalidHidHandle;
}

bool LinuxHidPlatform::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  HidAttributes read;
  if (hidraw::GetDeviceIds(handle, read.VendorId, read.ProductId) < 0) return false;
  attributes = read;
  return true;
}

bool LinuxHidPlatform::GetFeatureReportLength(HidHandle handle, int& length) {
  std::vector<std::uint8_t> descriptor;
  if (hidraw::GetReportDescriptor(handle, descriptor) < 0) return false;
  const std::optional<int> featureLength = FeatureReportByteLength(descriptor);
  if (!featureLength) return false;
  length = *featureLength;
  return true;
}

// A transfer that moves fewer bytes than asked fails like one that moves none.
bool LinuxHidPlatform::GetFeature(HidHandle handle, std::uint8_t* buffer, int length) {
  return length > 0 && hidraw::GetFeature(handle, buffer, static_cast<std::size_t>(length)) == length;
}

bool LinuxHidPlatform::SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) {
  return length > 0 && hidraw::SetFeature(handle, buffer, static_cast<std::size_t>(length)) == length;
}

void LinuxHidPlatform::Close(HidHandle handle) {
  if (handle != InvalidHidHandle) hidraw::CloseNode(handle);
}

void LinuxHidPlatform::Pause(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec remaining{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1'000'000L};
  while (::nanosleep(&remaining, &remaining) < 0 && errno == EINTR) {
  }
}

}  // namespace qor
