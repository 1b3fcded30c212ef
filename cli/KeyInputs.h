#pragma once
// The 18 KeyStick inputs in report order, and the key name of a code.

#include <array>
#include <cstdint>

#include "settings/SettingsReport.h"

namespace qor::cli {

struct KeyInput {
  const char* Label;        // "Up", "Button 1": as the KeyStick dialog labels it
  const char* SettingName;  // "up", "button1": in key.NAME and in JSON
};

const std::array<KeyInput, KeyStickKeyCount>& KeyInputs();

// The key table's name of a code, or nullptr for a code the table lacks.
// Unlike the dialog's reverse map, an unknown code is never taken for "F1".
const char* KeyNameOfCode(std::uint8_t code);

}  // namespace qor::cli
