#include "device/linux/Hidraw.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qor::hidraw {
namespace {

template <typename Arg>
int Ioctl(int fd, unsigned long request, Arg arg) {
  int result;
  do {
    result = ::ioctl(fd, request, arg);
  } while (result < 0 && errno == EINTR);
  return result < 0 ? -errno : result;
}

bool FeatureLengthValid(std::size_t length) { return length > 0 && length <= MaxFeatureLength; }

}  // namespace

int OpenNode(const char* path) {
  int fd;
  // Without blocking: a FIFO in a node's place must not hang the open; no
  // input report is ever read, and the ioctls do not care.
  do {
    fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -errno;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) {
    ::close(fd);
    return -ENODEV;
  }
  return fd;
}

// A close is never retried: on Linux the descriptor is gone even after EINTR.
void CloseNode(int fd) { ::close(fd); }

int GetDeviceIds(int fd, std::uint16_t& vendorId, std::uint16_t& productId) {
  hidraw_devinfo info{};
  const int result = Ioctl(fd, HIDIOCGRAWINFO, &info);
  if (result < 0) return result;
  // The kernel hands the 16-bit IDs over as signed numbers.
  vendorId = static_cast<std::uint16_t>(info.vendor);
  productId = static_cast<std::uint16_t>(info.product);
  return 0;
}

int GetReportDescriptor(int fd, std::vector<std::uint8_t>& descriptor) {
  int size = 0;
  int result = Ioctl(fd, HIDIOCGRDESCSIZE, &size);
  if (result < 0) return result;
  if (size < 0 || size > HID_MAX_DESCRIPTOR_SIZE) return -EINVAL;

  hidraw_report_descriptor raw{};
  raw.size = static_cast<__u32>(size);
  result = Ioctl(fd, HIDIOCGRDESC, &raw);
  if (result < 0) return result;
  descriptor.assign(raw.value, raw.value + raw.size);
  return 0;
}

int GetFeature(int fd, std::uint8_t* buffer, std::size_t length) {
  if (!FeatureLengthValid(length)) return -EINVAL;
  return Ioctl(fd, HIDIOCGFEATURE(length), buffer);
}

int SetFeature(int fd, const std::uint8_t* buffer, std::size_t length) {
  if (!FeatureLengthValid(length)) return -EINVAL;
  return Ioctl(fd, HIDIOCSFEATURE(length), buffer);
}

}  // namespace qor::hidraw
