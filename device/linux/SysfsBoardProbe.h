#pragma once
// The board probe over sysfs, which anyone may read. A node that cannot be
// opened cannot be asked for its IDs, so they come from the HID device's
// uevent (HID_ID=0003:000016C0:000007B3) and its report descriptor, which
// tells the configuration interface by its 33-byte feature reports. The USB
// location is the name of the USB device above the HID device.

#include <functional>
#include <optional>
#include <string>

#include "device/BoardProbe.h"

namespace qor {

// The USB vendor and product ID in a uevent's HID_ID line, if any.
struct HidIds {
  unsigned VendorId = 0;
  unsigned ProductId = 0;
};
std::optional<HidIds> ParseHidId(const std::string& uevent);

class SysfsBoardProbe final : public BoardProbe {
 public:
  // Opens a node as the device link does: 0 when it could be opened (and is
  // closed again), otherwise -errno.
  using NodeOpener = std::function<int(const std::string& path)>;
  static int OpenHidrawNode(const std::string& path);

  explicit SysfsBoardProbe(std::string sysfsRoot = "/sys", std::string devRoot = "/dev",
                           NodeOpener opener = OpenHidrawNode);

  std::vector<UnopenableBoard> UnopenableBoards() override;
  std::optional<std::string> UsbLocation(const std::string& node) override;
  std::optional<std::uint64_t> DeviceNumber(const std::string& path) override;

 private:
  std::string m_SysfsRoot;
  std::string m_DevRoot;
  NodeOpener m_Opener;
};

}  // namespace qor
