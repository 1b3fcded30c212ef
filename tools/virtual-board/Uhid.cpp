#include "tools/virtual-board/Uhid.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qor::virtualboard {
namespace {

// The fields of the packed kernel structure are zero-filled and must keep a zero at the end.
void CopyText(std::uint8_t* target, std::size_t capacity, const std::string& text) {
  std::memcpy(target, text.data(), std::min(text.size(), capacity - 1));
}

}  // namespace

std::unique_ptr<UhidDevice> UhidDevice::Create(const UhidIdentity& identity, std::string& error) {
  const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    const int reason = errno;
    error = std::string("cannot open /dev/uhid: ") + std::strerror(reason);
    if (reason == ENOENT) error += " (load the uhid module: modprobe uhid)";
    if (reason == EACCES || reason == EPERM) error += " (run as root)";
    return nullptr;
  }
  std::unique_ptr<UhidDevice> device(new UhidDevice(fd));

  uhid_event create{};
  create.type = UHID_CREATE2;
  CopyText(create.u.create2.name, sizeof create.u.create2.name, identity.Name);
  CopyText(create.u.create2.phys, sizeof create.u.create2.phys, identity.Phys);
  create.u.create2.bus = BUS_USB;
  create.u.create2.vendor = identity.VendorId;
  create.u.create2.product = identity.ProductId;
  create.u.create2.rd_size = static_cast<std::uint16_t>(identity.Descriptor.size());
  std::copy(identity.Descriptor.begin(), identity.Descriptor.end(), create.u.create2.rd_data);
  if (!device->Write(create)) {
    error = std::string("/dev/uhid refused the device: ") + std::strerror(errno);
    return nullptr;
  }
  return device;
}

UhidDevice::~UhidDevice() {
  uhid_event destroy{};
  destroy.type = UHID_DESTROY;
  Write(destroy);
}

bool UhidDevice::Read(uhid_event& event) {
  ssize_t result;
  do {
    result = ::read(m_Fd.Get(), &event, sizeof event);
  } while (result < 0 && errno == EINTR);
  return result > 0;
}

bool UhidDevice::Write(const uhid_event& event) {
  ssize_t result;
  do {
    result = ::write(m_Fd.Get(), &event, sizeof event);
  } while (result < 0 && errno == EINTR);
  return result == static_cast<ssize_t>(sizeof event);
}

}  // namespace qor::virtualboard
