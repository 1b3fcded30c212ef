#include "cli/KeyInputs.h"

#include "settings/KeyCodeTable.h"

namespace qor::cli {

const std::array<KeyInput, KeyStickKeyCount>& KeyInputs() {
  static constexpr std::array<KeyInput, KeyStickKeyCount> Inputs = {{
      {"Up", "up"},
      {"Down", "down"},
      {"Left", "left"},
      {"Right", "right"},
      {"Button 1", "button1"},
      {"Button 2", "button2"},
      {"Button 3", "button3"},
      {"Button 4", "button4"},
      {"Button 5", "button5"},
      {"Button 6", "button6"},
      {"Button 7", "button7"},
      {"Button 8", "button8"},
      {"Button 9", "button9"},
      {"Button 10", "button10"},
      {"Button 11", "button11"},
      {"Button 12", "button12"},
      {"Button 13", "button13"},
      {"Button 14", "button14"},
  }};
  return Inputs;
}

const char* KeyNameOfCode(std::uint8_t code) {
  for (int i = 0; i < KeyCodeTable::Count; ++i) {
    if (KeyCodeTable::CodeAt(i) == code) return KeyCodeTable::NameAt(i);
  }
  return nullptr;
}

std::optional<std::uint8_t> KeyCodeOfName(std::string_view name) {
  for (int i = 0; i < KeyCodeTable::Count; ++i) {
    if (name == KeyCodeTable::NameAt(i)) return KeyCodeTable::CodeAt(i);
  }
  return std::nullopt;
}

}  // namespace qor::cli
