#include "device/windows/WindowsBoardProbe.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "device/DeviceTable.h"
#include "device/windows/HidInterfaces.h"

namespace qor {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A device path as Windows compares it: any case, "\\.\" for "\\?\".
std::string ComparablePath(const std::string& path) {
  std::string lower = Lower(path);
  if (lower.rfind("\\\\.\\", 0) == 0) lower[2] = '?';
  return lower;
}

// The four hex digits after `key` ("vid_"), if there are four.
std::optional<std::uint16_t> HexAfter(const std::string& path, const std::string& key) {
  const auto at = path.find(key);
  if (at == std::string::npos || path.size() < at + key.size() + 4) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = at + key.size(); i < at + key.size() + 4; ++i) {
    const char c = path[i];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<std::uint16_t>(value);
}

// The HID interface, its collection, the USB interface, the USB device.
constexpr int MaxLevels = 4;

}  // namespace

std::optional<PathIds> IdsInDevicePath(const std::string& path) {
  const std::string lower = Lower(path);
  const auto vendor = HexAfter(lower, "vid_");
  const auto product = HexAfter(lower, "pid_");
  if (!vendor || !product) return std::nullopt;
  return PathIds{*vendor, *product};
}

// The scan opens an interface without read or write access, as nothing else
// needs: one that fails is held exclusively or gone, and its path tells
// whether it is a QOR board's.
std::vector<UnopenableBoard> WindowsBoardProbe::UnopenableBoards(const std::vector<UnopenedInterface>& unopened) {
  std::vector<UnopenableBoard> boards;
  for (const UnopenedInterface& interface : unopened) {
    const auto ids = IdsInDevicePath(interface.Path);
    if (ids && IsQorProduct(ids->VendorId, ids->ProductId)) boards.push_back({interface.Path, interface.Error});
  }
  return boards;
}

bool WindowsBoardProbe::IsSamePath(const std::string& node, const std::string& typed) {
  return ComparablePath(node) == ComparablePath(typed);
}

std::optional<std::string> WindowsBoardProbe::UsbLocation(const std::string& node) {
  std::optional<std::string> location;
  const std::string wanted = ComparablePath(node);
  ForEachHidInterface(m_Api, [&](const std::optional<std::string>& path, HDEVINFO, SP_DEVINFO_DATA& device) {
    if (!path || ComparablePath(*path) != wanted) return true;
    // The HID device itself seldom has one: its USB device, a node or two
    // above it, has the port ("Port_#0004.Hub_#0001").
    DEVINST node = device.DevInst;
    for (int level = 0; level < MaxLevels && !location; ++level) {
      char buffer[256] = {};
      ULONG length = sizeof buffer - 1;
      if (m_Api.CM_Get_DevNode_Registry_PropertyA(node, CM_DRP_LOCATION_INFORMATION, buffer, &length) == CR_SUCCESS &&
          buffer[0] != '\0')
        location = std::string(buffer);
      else if (m_Api.CM_Get_Parent(&node, node) != CR_SUCCESS)
        break;
    }
    return false;
  });
  return location;
}

}  // namespace qor
