#include "cli/KeyInputs.h"

#include "res/StringTable.h"
#include "settings/KeyCodeTable.h"

namespace qor::cli {

const std::array<KeyInput, KeyStickKeyCount>& KeyInputs() {
  static constexpr std::array<KeyInput, KeyStickKeyCount> Inputs = {{
      {res::LoadString(res::IDS_INPUT_UP), "up"},
      {res::LoadString(res::IDS_INPUT_DOWN), "down"},
      {res::LoadString(res::IDS_INPUT_LEFT), "left"},
      {res::LoadString(res::IDS_INPUT_RIGHT), "right"},
      {res::LoadString(res::IDS_INPUT_BUTTON1), "button1"},
      {res::LoadString(res::IDS_INPUT_BUTTON2), "button2"},
      {res::LoadString(res::IDS_INPUT_BUTTON3), "button3"},
      {res::LoadString(res::IDS_INPUT_BUTTON4), "button4"},
      {res::LoadString(res::IDS_INPUT_BUTTON5), "button5"},
      {res::LoadString(res::IDS_INPUT_BUTTON6), "button6"},
      {res::LoadString(res::IDS_INPUT_BUTTON7), "button7"},
      {res::LoadString(res::IDS_INPUT_BUTTON8), "button8"},
      {res::LoadString(res::IDS_INPUT_BUTTON9), "button9"},
      {res::LoadString(res::IDS_INPUT_BUTTON10), "button10"},
      {res::LoadString(res::IDS_INPUT_BUTTON11), "button11"},
      {res::LoadString(res::IDS_INPUT_BUTTON12), "button12"},
      {res::LoadString(res::IDS_INPUT_BUTTON13), "button13"},
      {res::LoadString(res::IDS_INPUT_BUTTON14), "button14"},
  }};
  return Inputs;
}

const char* KeyNameOfCode(std::uint8_t code) {
  for (int i = 0; i < KeyCodeTable::Count; ++i) {
    if (KeyCodeTable::CodeAt(i) == code) return KeyCodeTable::NameAt(i);
  }
  return nullptr;
}

}  // namespace qor::cli
