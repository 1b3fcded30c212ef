#include "tools/virtual-board/SysfsNodes.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace qor::virtualboard {
namespace {

namespace fs = std::filesystem;

bool HasPhys(const fs::path& device, const std::string& phys) {
  std::ifstream uevent(device / "uevent");
  std::string line;
  while (std::getline(uevent, line)) {
    if (line == "HID_PHYS=" + phys) return true;
  }
  return false;
}

// The name of the first entry of `folder` whose name starts with `prefix`.
std::string FirstEntry(const fs::path& folder, const std::string& prefix) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(prefix)) return name;
  }
  return {};
}

}  // namespace

std::optional<HidNodes> FindHidNodes(const std::string& phys) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/sys/bus/hid/devices", error)) {
    const fs::path device = entry.path();
    if (!HasPhys(device, phys)) continue;
    const std::string hidraw = FirstEntry(device / "hidraw", "hidraw");
    if (hidraw.empty() || !fs::exists("/dev/" + hidraw, error)) return std::nullopt;

    HidNodes nodes{"/dev/" + hidraw, {}};
    const std::string input = FirstEntry(device / "input", "input");
    const std::string event = input.empty() ? std::string() : FirstEntry(device / "input" / input, "event");
    if (!event.empty()) nodes.InputEvent = "/dev/input/" + event;
    return nodes;
  }
  return std::nullopt;
}

}  // namespace qor::virtualboard
