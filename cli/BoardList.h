#pragma once
// The attached boards as qorctl lists them: where each one is, so that two
// boards with the same text can be told apart and addressed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qor::cli {

struct BoardPlace {
  int Number = 0;  // from 1, as the window lists it
  std::string Identification{};
  bool Answered = true;                      // false: listed without a text, as in the window
  std::string Node{};                        // "/dev/hidraw3"
  std::optional<std::string> UsbLocation{};  // "1-1.4"; none for a virtual board
  std::uint16_t ProductId = 0;
};

// One row per board: number and text, node, USB location ("-" for none) and
// product ID, in aligned columns.
std::string BoardListText(const std::vector<BoardPlace>& boards);
// {"boards": [{"board": 1, "identification": ..., "node": ..., "usb_location": ... | null,
//   "product_id": "0x07b3", "answered": true}, ...]}
std::string BoardListJson(const std::vector<BoardPlace>& boards);

// "2: QOR Arcade (/dev/hidraw3, USB 1-1.4)", for messages and confirmations.
std::string BoardDescription(const BoardPlace& board);

}  // namespace qor::cli
