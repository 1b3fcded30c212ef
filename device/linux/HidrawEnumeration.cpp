#include "device/linux/HidrawEnumeration.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string_view>
#include <tuple>

#include "device/linux/SysfsFile.h"

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

std::vector<std::optional<std::string>> ListHidrawNodes(const std::string& sysfsRoot, const std::string& devRoot) {
  namespace fs = std::filesystem;
  std::vector<HidrawNode> nodes;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(sysfsRoot) / "class" / "hidraw", error), end; !error && it != end;
       it.increment(error)) {
    const std::optional<std::string> uevent = ReadSysfsFile(it->path() / "uevent");
    if (!uevent) continue;  // gone since the listing
    HidrawNode node{it->path().filename().string(), std::nullopt};
    // Line by line without a string stream, whose first use in a process
    // costs more than the rest of the listing.
    for (std::string_view rest = *uevent; !rest.empty();) {
      const std::string_view line = rest.substr(0, rest.find('\n'));
      rest.remove_prefix(std::min(line.size() + 1, rest.size()));
      if (line.starts_with("DEVNAME=") && line.size() > 8) node.DevNode = (fs::path(devRoot) / line.substr(8)).string();
    }
    nodes.push_back(std::move(node));
  }
  return OrderHidrawNodes(std::move(nodes));
}

}  // namespace qor
