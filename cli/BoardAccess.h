#pragma once
// Boards that are attached but that this user may not open. The device table
// skips an interface it cannot open without saying why; this finds the QOR
// boards among them so the user can be told about the access rule instead of
// "No devices found!".

#include <string>
#include <vector>

namespace qor::cli {

struct UnopenableBoard {
  std::string Path;  // "/dev/hidraw3"
  int Error = 0;     // the errno of the failed open
};

class BoardAccessProbe {
 public:
  virtual ~BoardAccessProbe() = default;
  // The configuration interfaces of attached QOR boards that cannot be opened.
  virtual std::vector<UnopenableBoard> UnopenableBoards() = 0;
};

}  // namespace qor::cli
