#pragma once
// A joystick's input events turned into the reports the dead-zone preview
// reads. Free of Qt and libevdev, so the rules can be tested on recorded events.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace qor::joystick {

// The first bytes of a joystick's HID input report: byte 0 the report ID,
// bytes 1 and 2 the stick's X and Y on 0..255.
using JoystickReport = std::array<std::uint8_t, 3>;

// One input event as the kernel hands it out.
struct InputEvent {
  std::uint16_t Type = 0;
  std::uint16_t Code = 0;
  std::int32_t Value = 0;
};

struct AxisRange {
  int Minimum = 0;
  int Maximum = 255;
};

// Maps an axis value onto 0..255, ends onto ends; a 0..255 axis passes
// unchanged. Values beyond the range are held at its ends; an axis without
// travel reads as the centre, 127.
std::uint8_t ScaleAxis(int value, AxisRange range);

// A device is a joystick when it has absolute X and Y axes and at least one
// button of the joystick or gamepad ranges; touchpads, tablets and
// accelerometers have the axes but none of those buttons.
using HasEventCode = std::function<bool(unsigned type, unsigned code)>;
bool IsJoystick(const HasEventCode& has);

// One device's stick position, frame by frame: each SYN_REPORT closes a frame
// and yields one report with the device's current X and Y.
class JoystickFrames {
 public:
  JoystickFrames(AxisRange x, AxisRange y, int initialX, int initialY);

  std::optional<JoystickReport> Feed(const InputEvent& event);

 private:
  AxisRange m_XRange;
  AxisRange m_YRange;
  int m_X;
  int m_Y;
};

// How the next event of a device came out, in the manner of libevdev's reads.
enum class NextStatus {
  Event,    // `event` holds the next event
  Dropped,  // the kernel dropped events (SYN_DROPPED); read on in resync mode
  Empty,    // nothing more for now (in resync mode: the resync is complete)
  Failed,   // the device is gone or can't be read
};

// Reads one event; `resync` asks for the events that bring the device's
// state up to date after a drop.
using NextEvent = std::function<NextStatus(bool resync, InputEvent& event)>;

// Reads everything the device has pending, handing each closed frame's
// report to `emit`. After a drop the resync events count like any others, so
// the frame they close carries the device's true position. Returns false when
// the device failed and should be closed.
bool DrainEvents(const NextEvent& next, JoystickFrames& frames, const std::function<void(const JoystickReport&)>& emit);

}  // namespace qor::joystick
