#pragma once
// The HID report descriptors of the virtual devices. None uses report IDs.

#include <cstdint>
#include <span>

namespace qor::virtualboard {

// A board's configuration interface: one vendor-defined feature report of
// 32 data bytes, so hosts see 33-byte feature reports.
std::span<const std::uint8_t> ConfigurationDescriptor();
// One vendor-defined feature report of 64 data bytes (65 with the report ID byte).
std::span<const std::uint8_t> WideFeatureDescriptor();
// A joystick: X and Y from 0 to 255 and eight buttons, input reports only.
std::span<const std::uint8_t> JoystickDescriptor();

}  // namespace qor::virtualboard
