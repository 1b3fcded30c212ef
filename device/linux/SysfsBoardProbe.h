#pragma once
// The board probe over sysfs, which anyone may read. A node that cannot be
// opened cannot be asked for its IDs, so they come from the HID device's
// uevent (HID_ID=0003:000016C0:000007B3) and its report descriptor, which
// tells the configuration interface by its 33-byte feature reports. The USB
// location is the name of the USB device above the HID device.

#include <optional>
#include <string>
#include <vector>

#include "device/BoardProbe.h"

namespace qor {

// The USB vendor and product ID in a uevent's HID_ID line, if any.
struct HidIds {
  unsigned VendorId = 0;
  unsigned ProductId = 0;
};
std::optional<HidIds> ParseHidId(const std::string& uevent);

// Where to look to tell why a node is closed: the places the access rule
// may be installed (any one will do), and udev's database of applied rules.
struct AccessPlaces {
  std::vector<std::string> RuleFiles{};
  std::string UdevData = "/run/udev/data";
  // The rule where this build installs it, and under its name in udev's folders.
  static AccessPlaces ForRule(const std::string& installedRule);
};

class SysfsBoardProbe final : public BoardProbe {
 public:
  explicit SysfsBoardProbe(std::string sysfsRoot = "/sys", std::string devRoot = "/dev", AccessPlaces places = {});

  std::vector<UnopenableBoard> UnopenableBoards(const std::vector<UnopenedInterface>& unopened) override;
  std::optional<std::string> UsbLocation(const std::string& node) override;
  std::optional<std::uint64_t> DeviceNumber(const std::string& path) override;

 private:
  std::string m_SysfsRoot;
  // Why a node is closed: no rule, a rule udev has not applied, or one that
  // serves only the user at the computer.
  AccessCase Access(const std::string& node) const;

  std::string m_DevRoot;
  AccessPlaces m_Places;
};

}  // namespace qor
