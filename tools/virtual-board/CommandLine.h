#pragma once
// The command line of qor-virtual-board.

#include <optional>
#include <string>
#include <vector>

#include "tools/common/CommandLine.h"
#include "tools/virtual-board/DeviceRequest.h"

namespace qor::virtualboard {

constexpr std::uint16_t OtherVendorId = 0x1209;
constexpr std::uint16_t OtherVendorProductId = 0x0001;

using ParseResult = tools::ParseResult<Options>;

// `arguments` without the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// The settings a board stores unless --settings says otherwise: board ID 1,
// the 6-axis joystick mode, all analog inputs, byte 5 set so that a host that
// does not send it back is caught, JoyMouse on at speed 8, centred dead zones,
// the arrow keys and A..N.
SettingsReport DefaultSettings();

extern const char* const UsageText;

}  // namespace qor::virtualboard
