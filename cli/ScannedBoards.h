#pragma once
// One scan's boards as qorctl names them. Each board is identified, and its
// USB location read, at most once a command, whichever asks first: a
// selector that needs every text, the listing, or the load of one board.

#include <optional>
#include <string>
#include <vector>

#include "cli/BoardList.h"
#include "device/BoardProbe.h"
#include "device/DeviceLink.h"

namespace qor::cli {

class ScannedBoards {
 public:
  // Scans the link's table.
  ScannedBoards(HidPlatform& platform, BoardProbe& probe, DeviceLink& link);

  int Count() const { return m_Link.Table().Count(); }
  const DeviceTable& Table() const { return m_Link.Table(); }
  // The configuration interfaces the full table leaves out: the window
  // handles the first ten boards only, qorctl says when there are more.
  const std::vector<std::string>& Beyond() const { return m_Beyond; }

  // Callers pass rows below Count() only.
  const std::optional<std::string>& UsbLocation(int row);
  // The board identified as the window's scan does; a board that does not
  // answer has no text. The identification leaves the board's settings
  // reply selected, whatever an interrupted exchange left behind.
  const BoardPlace& Place(int row);
  std::vector<BoardPlace> Places();

 private:
  BoardProbe& m_Probe;
  DeviceLink& m_Link;
  std::vector<std::string> m_Beyond;
  std::vector<std::optional<std::optional<std::string>>> m_Locations;
  std::vector<std::optional<BoardPlace>> m_Places;
};

}  // namespace qor::cli
