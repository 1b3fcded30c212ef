#include "ui/joystick/JoystickFrames.h"

#include <linux/input-event-codes.h>

#include <algorithm>

namespace qor::joystick {

std::uint8_t ScaleAxis(int value, AxisRange range) {
  if (range.Maximum <= range.Minimum) return 127;
  const std::int64_t clamped = std::clamp(value, range.Minimum, range.Maximum);
  const std::int64_t travel = static_cast<std::int64_t>(range.Maximum) - range.Minimum;
  return static_cast<std::uint8_t>((clamped - range.Minimum) * 255 / travel);
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
    : m_XRange(x), m_YRange(y), m_X(initialX), m_Y(initialY) {}

std::optional<JoystickReport> JoystickFrames::Feed(const InputEvent& event) {
  if (event.Type == EV_ABS && event.Code == ABS_X) m_X = event.Value;
  if (event.Type == EV_ABS && event.Code == ABS_Y) m_Y = event.Value;
  if (event.Type == EV_SYN && event.Code == SYN_REPORT)
    return JoystickReport{0, ScaleAxis(m_X, m_XRange), ScaleAxis(m_Y, m_YRange)};
  return std::nullopt;
}

bool DrainEvents(const NextEvent& next, JoystickFrames& frames,
                 const std::function<void(const JoystickReport&)>& emit) {
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
