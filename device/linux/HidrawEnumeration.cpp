#include "device/linux/HidrawEnumeration.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <tuple>

#include "device/linux/UdevOwners.h"

namespace qor {
namespace {

std::optional<unsigned long> HidrawNumber(std::string_view sysName) {
  constexpr std::string_view Prefix = "hidraw";
  if (!sysName.starts_with(Prefix) || sysName.size() == Prefix.size()) return std::nullopt;
  const char* first = sysName.data() + Prefix.size();
  const char* last = sysName.data() + sysName.size();
  unsigned long number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc{} || end != last) return std::nullopt;
  return number;
}

}  // namespace

std::vector<std::optional<std::string>> OrderHidrawNodes(std::vector<HidrawNode> nodes) {
  // A node without a number sorts after every numbered one.
  const auto key = [](const HidrawNode& node) {
    const std::optional<unsigned long> number = HidrawNumber(node.SysName);
    return std::make_tuple(!number.has_value(), number.value_or(0), std::string_view(node.SysName));
  };
  std::stable_sort(nodes.begin(), nodes.end(),
                   [&](const HidrawNode& a, const HidrawNode& b) { return key(a) < key(b); });

  std::vector<std::optional<std::string>> paths;
  paths.reserve(nodes.size());
  for (HidrawNode& node : nodes) paths.push_back(std::move(node.DevNode));
  return paths;
}

std::vector<std::optional<std::string>> ListHidrawNodes() {
  const Udev context(udev_new());
  if (!context) return {};
  const UdevEnumerate enumerate(udev_enumerate_new(context.get()));
  if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "hidraw") < 0 ||
      udev_enumerate_scan_devices(enumerate.get()) < 0) {
    return {};
  }

  std::vector<HidrawNode> nodes;
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
    const char* sysPath = udev_list_entry_get_name(entry);
    const UdevDevice device(udev_device_new_from_syspath(context.get(), sysPath));
    if (!device) continue;  // gone since the scan
    HidrawNode node;
    if (const char* sysName = udev_device_get_sysname(device.get())) node.SysName = sysName;
    if (const char* devNode = udev_device_get_devnode(device.get())) node.DevNode = devNode;
    nodes.push_back(std::move(node));
  }
  return OrderHidrawNodes(std::move(nodes));
}

}  // namespace qor
