#pragma once
// Where the kernel put the nodes of a HID device, found by its phys text.

#include <optional>
#include <string>

namespace qor::virtualboard {

struct HidNodes {
  std::string Hidraw;      // "/dev/hidraw3"
  std::string InputEvent;  // "/dev/input/event5", empty when the device has none
};

// Nullopt until the device's hidraw node exists in sysfs and in /dev.
std::optional<HidNodes> FindHidNodes(const std::string& phys);

}  // namespace qor::virtualboard
