#pragma once
// Two virtual boards with different texts and settings, for trying the program
// without hardware.

#include "sim/SimPlatform.h"

namespace qor::ui {

void AddDemoBoards(sim::SimPlatform& platform);

}  // namespace qor::ui
