#include "ui/joystick/JoystickFrames.h"

#include <linux/input-event-codes.h>

#include <algorithm>

namespace qor::joystick {

std::uint8_t ScaleAxis(int value, AxisRange range) {
  if (range.maximum <= range.minimum) return 127;
  const std::int64_t clamped = std::clamp(value, range.minimum, range.maximum);
  const std::int64_t travel = static_cast<std::int64_t>(range.maximum) - range.minimum;
  return static_cast<std::uint8_t>((clamped - range.minimum) * 255 / travel);
}

bool IsJoystick(const HasEventCode& has) {
  if (!has(EV_ABS, ABS_X) || !has(EV_ABS, ABS_Y)) return false;
  // BTN_JOYSTICK (BTN_TRIGGER .. BTN_DEAD) and BTN_GAMEPAD (BTN_SOUTH ..
  // BTN_THUMBR) lie next to each other.
  for (unsigned code = BTN_JOYSTICK; code < BTN_GAMEPAD + 0x10; ++code)
    if (has(EV_KEY, code)) return true;
  return false;
}

JoystickFrames::JoystickFrames(AxisRange x, AxisRange y, int initialX, int initialY)
    : xRange_(x), yRange_(y), x_(initialX), y_(initialY) {}

std::optional<JoystickReport> JoystickFrames::Feed(const InputEvent& event) {
  if (event.type == EV_ABS && event.code == ABS_X) x_ = event.value;
  if (event.type == EV_ABS && event.code == ABS_Y) y_ = event.value;
  if (event.type == EV_SYN && event.code == SYN_REPORT)
    return JoystickReport{0, ScaleAxis(x_, xRange_), ScaleAxis(y_, yRange_)};
  return std::nullopt;
}

bool DrainEvents(const NextEvent& next, JoystickFrames& frames, const std::function<void(const JoystickReport&)>& emit) {
  bool resync = false;
  for (;;) {
    InputEvent event;
    switch (next(resync, event)) {
      case NextStatus::Event:
        if (const auto report = frames.Feed(event)) emit(*report);
        break;
      case NextStatus::Dropped:
        resync = true;
        break;
      case NextStatus::Empty:
        if (!resync) return true;
        resync = false;
        break;
      case NextStatus::Failed:
        return false;
    }
  }
}

}  // namespace qor::joystick
