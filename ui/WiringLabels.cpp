#include "ui/WiringLabels.h"

namespace qor {
namespace {

// Per mode, the texts of the terminal boxes L1..L10, then R1..R10.
constexpr WiringLabels LabelsByMode[ModeCount] = {
    {{
        // mode 0
        "Player 1 X",     "Player 1 Y",     "Player 1 Z",     "Player 1 B1",  "Player 1 B2",
        "Player 1 B3",    "Player 1 B4",    "Player 1 B5",    "Player 1 B6",  "Player 1 B7",
        "Player 1 X-rot", "Player 1 Y-rot", "Player 1 Z-rot", "Player 1 B8",  "Player 1 B9",
        "Player 1 B10",   "Player 1 B11",   "Player 1 B12",   "Player 1 B13", "Player 1 B14",
    }},
    {{
        // mode 1
        "Player 1 X",  "Player 1 Y",  "Player 1 Z",  "Player 1 B1", "Player 1 B2", "Player 1 B3", "Player 1 B4",
        "Player 1 B5", "Player 1 B6", "Player 1 B7", "Player 2 X",  "Player 2 Y",  "Player 2 Z",  "Player 2 B1",
        "Player 2 B2", "Player 2 B3", "Player 2 B4", "Player 2 B5", "Player 2 B6", "Player 2 B7",
    }},
    {{
        // mode 2
        "No Connection", "No Connection", "No Connection", "Player 1 B1",   "Player 1 B2",
        "Player 1 B3",   "Player 1 B4",   "Player 1 B5",   "Player 1 B6",   "Player 1 B7",
        "No Connection", "No Connection", "No Connection", "Player 1 B8",   "Player 1 B9",
        "Player 1 B10",  "Player 1 Up",   "Player 1 Down", "Player 1 Left", "Player 1 Right",
    }},
    {{
        // mode 3
        "Player 1 X1", "Player 1 X2", "Player 1 X3",  "Player 1 B1",    "Player 1 B2",
        "Player 1 B3", "Player 1 B4", "Player 1 B5",  "Player 1 B6",    "Player 1 B7",
        "Player 1 Y1", "Player 1 Y2", "Player 1 Y3",  "Player 1 X-Dir", "Player 1 Y-Dir",
        "Player 1 B8", "Player 1 B9", "Player 1 B10", "Player 1 B11",   "Player 1 B12",
    }},
    {{
        // mode 4
        "Player 1 X",    "Player 1 Y",    "No Connection", "Player 1 B1",  "Player 1 B2",
        "Player 1 B3",   "Player 1 B4",   "Player 1 B5",   "Player 1 B6",  "Player 1 B7",
        "No Connection", "No Connection", "No Connection", "Player 1 B8",  "Player 1 B9",
        "Player 1 B10",  "Player 1 B11",  "Player 1 B12",  "Player 1 B13", "Player 1 B14",
    }},
};

}  // namespace

const WiringLabels* WiringLabelTable(int mode) { return mode >= 0 && mode < ModeCount ? &LabelsByMode[mode] : nullptr; }

}  // namespace qor
