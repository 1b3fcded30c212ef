#pragma once
// What the system tells about attached boards beyond what an open node
// answers: which of the interfaces a scan could not open are QOR boards, and
// where on the USB bus a node sits.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceTable.h"

namespace qor {

// What stands between the user and a node the access rule is meant to open.
enum class AccessCase {
  RuleMissing,     // no access rule installed
  RuleNotApplied,  // installed, but udev has not applied it to the node: it still belongs to root alone
  NotAtTheSeat,    // applied, but it opens nodes to the user at the computer only (not over ssh, cron, services)
};

struct UnopenableBoard {
  std::string Path;                             // "/dev/hidraw3"
  int Error = 0;                                // the system's reason for the failed open (settings/SystemError.h)
  AccessCase Access = AccessCase::RuleMissing;  // what to do, when Error is for want of access rights
};

class BoardProbe {
 public:
  virtual ~BoardProbe() = default;
  // The configuration interfaces of QOR boards among the interfaces a scan
  // could not open, with the scan's reason, in its order. Nothing is opened.
  virtual std::vector<UnopenableBoard> UnopenableBoards(const std::vector<UnopenedInterface>& unopened) = 0;
  // The USB bus-port path ("1-1.4") of the device a node belongs to; nullopt
  // for a node without a USB parent, such as a virtual board's.
  virtual std::optional<std::string> UsbLocation(const std::string& node) = 0;
  // The device a path opens, to tell whether two paths are one node: a link
  // to a node, "//" and relative forms open the same device. A bare node
  // name ("hidraw3") is the node of that name. nullopt for anything that is
  // not a character device.
  virtual std::optional<std::uint64_t> DeviceNumber(const std::string& path) = 0;
  // Whether a typed path is a node's path as the system compares paths.
  virtual bool IsSamePath(const std::string& node, const std::string& typed) { return node == typed; }
};

}  // namespace qor
