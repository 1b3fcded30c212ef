#include "cli/BoardList.h"

#include <algorithm>
#include <cstdio>

#include "cli/SettingsText.h"
#include "cli/Text.h"

namespace qor::cli {
namespace {

std::string ProductIdText(std::uint16_t productId) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04x", productId);
  return text;
}

// Display width: the text is UTF-8, and every byte but continuation bytes counts.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > Width(text) ? width - Width(text) : 0, ' ');
}

}  // namespace

std::string BoardListText(const std::vector<BoardPlace>& boards) {
  std::vector<std::string> entries;
  std::size_t entryWidth = 0;
  std::size_t nodeWidth = 0;
  std::size_t locationWidth = 0;
  for (const BoardPlace& board : boards) {
    entries.push_back(ListEntry({board.Number, board.Identification}));
    entryWidth = std::max(entryWidth, Width(entries.back()));
    nodeWidth = std::max(nodeWidth, Width(Printable(board.Node)));
    locationWidth = std::max(locationWidth, Width(Printable(board.UsbLocation.value_or("-"))));
  }
  std::string out;
  for (std::size_t i = 0; i < boards.size(); ++i) {
    const BoardPlace& board = boards[i];
    out += Padded(entries[i], entryWidth) + "  " + Padded(Printable(board.Node), nodeWidth) + "  " +
           Padded(Printable(board.UsbLocation.value_or("-")), locationWidth) + "  " + ProductIdText(board.ProductId) +
           "\n";
  }
  return out;
}

std::string BoardListJson(const std::vector<BoardPlace>& boards) {
  std::string out = "{\"boards\": [";
  for (std::size_t i = 0; i < boards.size(); ++i) {
    const BoardPlace& board = boards[i];
    out += std::string(i > 0 ? "," : "") + "\n  {\"board\": " + std::to_string(board.Number) +
           ", \"identification\": " + JsonString(board.Identification) + ", \"node\": " + JsonString(board.Node) +
           ", \"usb_location\": " + (board.UsbLocation ? JsonString(*board.UsbLocation) : "null") +
           ", \"product_id\": \"" + ProductIdText(board.ProductId) +
           "\", \"answered\": " + (board.Answered ? "true" : "false") + "}";
  }
  return out + (boards.empty() ? "]}\n" : "\n]}\n");
}

std::string BoardDescription(const BoardPlace& board) {
  return ListEntry({board.Number, board.Identification}) + " (" + Printable(board.Node) +
         (board.UsbLocation ? ", USB " + Printable(*board.UsbLocation) : "") + ")";
}

}  // namespace qor::cli
