#pragma once
// The 33-byte settings image a QOR board exchanges as its feature report
// (report ID 0 followed by 32 data bytes); a settings file holds the same bytes.

#include <array>
#include <cstddef>
#include <cstdint>

namespace qor {

constexpr std::size_t SettingsReportSize = 33;
using SettingsReport = std::array<std::uint8_t, SettingsReportSize>;

// Byte offsets of the fields. Multi-byte groups are runs of independent bytes.
namespace report_offset {
constexpr std::size_t ReportId = 0;
constexpr std::size_t Command = 1;
constexpr std::size_t BoardId = 2;
constexpr std::size_t Mode = 3;
constexpr std::size_t AnalogInputs = 4;
constexpr std::size_t Reserved = 5;
constexpr std::size_t JoyMouse = 6;
constexpr std::size_t JoyMouseDeadZone = 7;   // Top, Bottom, Left, Right
constexpr std::size_t KeyStickDeadZone = 11;  // Top, Bottom, Left, Right
constexpr std::size_t KeyStickKeys = 15;      // Up, Down, Left, Right, Button 1..14
}  // namespace report_offset

constexpr std::size_t KeyStickKeyCount = 18;
static_assert(report_offset::KeyStickKeys + KeyStickKeyCount == SettingsReportSize);

// The command byte of a write; a read carries no command and returns what the
// last command selected.
constexpr std::uint8_t CommandStore = 0x00;
constexpr std::uint8_t CommandSelectSettings = 0x01;
constexpr std::uint8_t CommandIdentify = 0xFF;

// Board IDs 0..3 are shown as "1".."4".
constexpr int BoardIdCount = 4;

enum Mode : std::uint8_t {
  SingleAnalog6Axis = 0,
  DualAnalog3Axis = 1,
  SingleDigital10Button = 2,
  Single49Way12Button = 3,
  SingleAnalogKeyStick = 4,
};
constexpr int ModeCount = 5;

// The mode list's text of a mode, or nullptr for a value outside 0..4.
const char* ModeListText(int mode);

constexpr int AnalogInputCount = 6;

struct DeadZone {
  std::uint8_t Top = 0;
  std::uint8_t Bottom = 0;
  std::uint8_t Left = 0;
  std::uint8_t Right = 0;

  friend bool operator==(const DeadZone&, const DeadZone&) = default;
};

DeadZone ReadDeadZone(const SettingsReport& image, std::size_t offset);
void WriteDeadZone(SettingsReport& image, std::size_t offset, const DeadZone& zone);

// The JoyMouse byte: bit 7 enables JoyMouse, bits 0..6 hold its speed.
namespace joy_mouse {
constexpr std::uint8_t EnabledBit = 0x80;
constexpr int MinSpeed = 1;
constexpr int MaxSpeed = 32;
constexpr bool IsEnabled(std::uint8_t options) { return (options & EnabledBit) != 0; }
constexpr int Speed(std::uint8_t options) { return options & 0x7F; }
constexpr std::uint8_t Make(bool enabled, int speed) {
  return static_cast<std::uint8_t>((enabled ? EnabledBit : 0) + speed);
}
}  // namespace joy_mouse

}  // namespace qor
