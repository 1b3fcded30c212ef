#pragma once
// The window's line under "No devices found!" on Windows: the QOR boards the
// scan saw but could not open, with Windows' reason. Windows has no access
// rule to install, so the reason is what there is to tell.

#include <string>
#include <vector>

#include "device/BoardProbe.h"
#include "device/NoBoardsHint.h"

namespace qor {

class UnopenedBoardsHint final : public NoBoardsHint {
 public:
  explicit UnopenedBoardsHint(BoardProbe& probe) : m_Probe(probe) {}
  // One line per reason, in the order the scan met them.
  std::string Hint(const std::vector<UnopenedInterface>& unopened) override;

 private:
  BoardProbe& m_Probe;
};

}  // namespace qor
