#pragma once
// The kernel side of one virtual HID device: a /dev/uhid descriptor.

#include <linux/uhid.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "settings/posix/UniqueFd.h"

namespace qor::virtualboard {

struct UhidIdentity {
  std::string Name;
  std::string Phys;  // how the device is found again in sysfs
  std::uint16_t VendorId = 0;
  std::uint16_t ProductId = 0;
  std::span<const std::uint8_t> Descriptor;
};

class UhidDevice {
 public:
  // nullptr with `error` set when /dev/uhid cannot be opened or refuses the device.
  static std::unique_ptr<UhidDevice> Create(const UhidIdentity& identity, std::string& error);
  // Destroys the device: its nodes go away and open handles on them fail.
  ~UhidDevice();
  UhidDevice(const UhidDevice&) = delete;
  UhidDevice& operator=(const UhidDevice&) = delete;

  int Descriptor() const { return m_Fd.Get(); }
  // One event from the kernel; false when the descriptor fails.
  bool Read(uhid_event& event);
  bool Write(const uhid_event& event);

 private:
  explicit UhidDevice(int fd) : m_Fd(fd) {}
  UniqueFd m_Fd;
};

}  // namespace qor::virtualboard
