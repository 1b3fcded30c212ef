#pragma once
// Which joystick input each screw terminal of the board carries, per mode.

#include <array>

#include "res/DialogTemplates.h"
#include "settings/SettingsReport.h"

namespace qor {

constexpr int WiringTerminalCount = 20;  // L1..L10, R1..R10
using WiringLabels = std::array<const char*, WiringTerminalCount>;

// The main window's terminal boxes, in the order of the texts.
constexpr std::array<res::ControlId, WiringTerminalCount> WiringTerminalIds{
    res::IDC_PIN_L1, res::IDC_PIN_L2, res::IDC_PIN_L3, res::IDC_PIN_L4, res::IDC_PIN_L5,
    res::IDC_PIN_L6, res::IDC_PIN_L7, res::IDC_PIN_L8, res::IDC_PIN_L9, res::IDC_PIN_L10,
    res::IDC_PIN_R1, res::IDC_PIN_R2, res::IDC_PIN_R3, res::IDC_PIN_R4, res::IDC_PIN_R5,
    res::IDC_PIN_R6, res::IDC_PIN_R7, res::IDC_PIN_R8, res::IDC_PIN_R9, res::IDC_PIN_R10};

static_assert(res::HasControls(res::templates::MainItems, WiringTerminalIds, res::ItemKind::Edit),
              "the terminal boxes are 20 distinct edit boxes of the main window");

// The 20 texts of a mode, or nullptr for a value outside 0..4.
const WiringLabels* WiringLabelTable(int mode);

}  // namespace qor
