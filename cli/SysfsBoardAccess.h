#pragma once
// Finding QOR boards whose hidraw node cannot be opened. A node that cannot be
// opened cannot be asked for its IDs, so they come from sysfs, which anyone
// may read: the HID device's uevent (HID_ID=0003:000016C0:000007B3) and its
// report descriptor, which tells the configuration interface by its 33-byte
// feature reports.

#include <functional>
#include <optional>
#include <string>

#include "cli/BoardAccess.h"

namespace qor::cli {

// The USB vendor and product ID in a uevent's HID_ID line, if any.
struct HidIds {
  unsigned VendorId = 0;
  unsigned ProductId = 0;
};
std::optional<HidIds> ParseHidId(const std::string& uevent);

class SysfsBoardAccessProbe final : public BoardAccessProbe {
 public:
  // Opens a node as the device link does: 0 when it could be opened (and is
  // closed again), otherwise -errno.
  using NodeOpener = std::function<int(const std::string& path)>;
  static int OpenHidrawNode(const std::string& path);

  explicit SysfsBoardAccessProbe(std::string sysfsRoot = "/sys", std::string devRoot = "/dev",
                                 NodeOpener opener = OpenHidrawNode);

  std::vector<UnopenableBoard> UnopenableBoards() override;

 private:
  std::string sysfsRoot_;
  std::string devRoot_;
  NodeOpener opener_;
};

}  // namespace qor::cli
