#pragma once
// Listing the hidraw nodes from sysfs: the entries of class/hidraw, each
// with the node its uevent names (DEVNAME), as libudev would list them but
// without its full listing of the devices. The list does not depend on
// udevd or its database.

#include <optional>
#include <string>
#include <vector>

namespace qor {

struct HidrawNode {
  std::string SysName;                 // "hidraw3"
  std::optional<std::string> DevNode;  // "/dev/hidraw3"; nullopt when sysfs names none
};

// Orders the nodes by their hidraw number, so hidraw2 comes before hidraw10;
// names without a number follow, by name. Returns the device paths in order.
std::vector<std::optional<std::string>> OrderHidrawNodes(std::vector<HidrawNode> nodes);

// The present hidraw nodes in that order; empty when they cannot be listed.
std::vector<std::optional<std::string>> ListHidrawNodes(const std::string& sysfsRoot = "/sys",
                                                        const std::string& devRoot = "/dev");

}  // namespace qor
