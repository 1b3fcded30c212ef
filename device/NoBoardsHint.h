#pragma once
// What the platform can add when a scan opens no board: a hint that the
// window shows under "No devices found!". Linux names the boards this user
// may not open and the access rule that lets them, Windows how many boards it
// would not open and why.

#include <string>
#include <vector>

#include "device/DeviceTable.h"

namespace qor {

class NoBoardsHint {
 public:
  virtual ~NoBoardsHint() = default;
  // A line (or lines) for the user about the interfaces the scan could not
  // open; empty when there is nothing to add.
  virtual std::string Hint(const std::vector<UnopenedInterface>& unopened) = 0;
};

}  // namespace qor
