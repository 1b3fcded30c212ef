#pragma once
// The 103 keys a KeyStick input can send, in the order of the key selectors:
// display name and HID Keyboard/Keypad usage ID of each, with the
// process-wide reverse map from code to list index.

#include <cstdint>

namespace qor {

class KeyCodeTable {
 public:
  static constexpr int Count = 103;

  // Callers pass list indices 0..Count-1 only.
  static const char* NameAt(int index);
  static std::uint8_t CodeAt(int index);

  // Writes list index i into the slot of code i, for i ascending. Slots of
  // codes outside the table are never written and keep what they hold (0 at
  // start), so such a code stands for index 0, "F1".
  static void BuildReverseMap();
  static int IndexOfCode(std::uint8_t code);

  // Back to the all-zero map of program start; for tests.
  static void ResetReverseMap();
};

}  // namespace qor
