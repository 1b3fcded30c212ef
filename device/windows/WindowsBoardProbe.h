#pragma once
// What SetupAPI tells about attached boards beyond what an open handle
// answers: the QOR boards a scan could not open, with Windows' reason, known
// by the IDs in their device paths ("\\?\hid#vid_16c0&pid_07b3#..."), and
// the location Windows gives the device of an interface.

#include <cstdint>
#include <optional>
#include <string>

#include "device/BoardProbe.h"
#include "device/windows/HidApi.h"

namespace qor {

// The vendor and product ID a device path names, if it names both.
struct PathIds {
  std::uint16_t VendorId = 0;
  std::uint16_t ProductId = 0;
};
std::optional<PathIds> IdsInDevicePath(const std::string& path);

class WindowsBoardProbe final : public BoardProbe {
 public:
  explicit WindowsBoardProbe(HidApi& api = SystemHidApi()) : m_Api(api) {}

  std::vector<UnopenableBoard> UnopenableBoards(const std::vector<UnopenedInterface>& unopened) override;
  // The location information of the interface's device or the nearest node
  // above it that has one ("Port_#0004.Hub_#0001"); nullopt where Windows
  // has none or the path is not a present interface.
  std::optional<std::string> UsbLocation(const std::string& node) override;
  // Windows names a device by its path alone: no number ties two paths.
  std::optional<std::uint64_t> DeviceNumber(const std::string&) override { return std::nullopt; }
  // Paths are compared without regard to case, and "\\.\" opens what
  // "\\?\" does: a path copied from elsewhere in another case names the same node.
  bool IsSamePath(const std::string& node, const std::string& typed) override;

 private:
  HidApi& m_Api;
};

}  // namespace qor
