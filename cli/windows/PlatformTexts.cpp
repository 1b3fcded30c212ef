#include "cli/PlatformTexts.h"

namespace qor::cli {

const PlatformTexts Platform = {
    "  -b, --board BOARD   the board: its number in qorctl list (default 1), its\n"
    "                      device path as qorctl list shows it, its USB location\n"
    "                      or its exact identification text as qorctl list shows it\n",
    "device path", "\"\\\\?\\hid#vid_16c0&pid_07b3#...\"", "Port_#0001.Hub_#0004", "Ctrl+Z and Enter"};

}  // namespace qor::cli
