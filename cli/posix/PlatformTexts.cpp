#include "cli/PlatformTexts.h"

namespace qor::cli {

const PlatformTexts Platform = {
    "  -b, --board BOARD   the board: its number in qorctl list (default 1), its\n"
    "                      hidraw node (/dev/hidraw3, hidraw3, or a link to it such\n"
    "                      as /dev/qor/left), its USB location (1-1.4) or its exact\n"
    "                      identification text as qorctl list shows it\n",
    "hidraw node", "/dev/hidraw3", "1-1.4", "Ctrl+D"};

}  // namespace qor::cli
