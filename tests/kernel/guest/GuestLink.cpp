#include "GuestLink.h"

#include <cstdio>
#include <filesystem>

#include "VirtualBoardProcess.h"

namespace qor::guest {

std::vector<std::string> ScanAndIdentify(DeviceLink& link) {
  link.Table().Scan();
  std::vector<std::string> texts;
  for (int row = 0; row < link.Table().Count(); ++row) {
    const bool identified = link.IdentifyDevice(row, link.IdentificationText, IdentificationTextCapacity);
    texts.push_back(identified ? std::string(link.IdentificationText) : "<failed>");
  }
  return texts;
}

std::vector<std::string> RowNodes(DeviceLink& link, const std::vector<std::string>& candidates) {
  std::vector<std::string> nodes;
  for (int row = 0; row < link.Table().Count(); ++row) {
    std::string found = "<unknown>";
    const auto device = DescriptorDevice(link.Table().Entry(row).Handle);
    for (const std::string& candidate : candidates) {
      if (device && NodeDevice(candidate) == device) found = candidate;
    }
    nodes.push_back(found);
  }
  return nodes;
}

std::string SettingsHex(const SettingsReport& settings) {
  std::string hex;
  char digits[3];
  for (std::size_t i = 2; i < settings.size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02x", settings[i]);
    hex += digits;
  }
  return hex;
}

int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

}  // namespace qor::guest
