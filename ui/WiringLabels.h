#pragma once
// Which joystick input each screw terminal of the board carries, per mode.

#include <array>

#include "settings/SettingsReport.h"

namespace qor {

constexpr int WiringTerminalCount = 20;  // L1..L10, R1..R10
using WiringLabels = std::array<const char*, WiringTerminalCount>;

// The 20 texts of a mode, or nullptr for a value outside 0..4.
const WiringLabels* WiringLabelTable(int mode);

}  // namespace qor
