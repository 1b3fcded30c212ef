#pragma once
// Two virtual boards with different texts and settings, for trying the program
// without hardware.

#include "sim/SimPlatform.h"

namespace qor::sim {

void AddDemoBoards(SimPlatform& platform);

}  // namespace qor::sim
