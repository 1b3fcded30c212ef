// A joystick's input event node read through libevdev.

#include <fcntl.h>
#include <libevdev/libevdev.h>

#include <cerrno>

#include "settings/posix/UniqueFd.h"
#include "ui/joystick/JoystickDevice.h"
#include "ui/joystick/Owned.h"

namespace qor::joystick {
namespace {

using Evdev = Owned<libevdev, libevdev_free>;

AxisRange RangeOf(const libevdev* evdev, unsigned axis) {
  const input_absinfo* info = libevdev_get_abs_info(evdev, axis);
  return info ? AxisRange{info->minimum, info->maximum} : AxisRange{};
}

JoystickFrames FramesOf(const libevdev* evdev) {
  return JoystickFrames(RangeOf(evdev, ABS_X), RangeOf(evdev, ABS_Y), libevdev_get_event_value(evdev, EV_ABS, ABS_X),
                        libevdev_get_event_value(evdev, EV_ABS, ABS_Y));
}

class EvdevJoystickDevice final : public JoystickDevice {
 public:
  EvdevJoystickDevice(UniqueFd fd, Evdev evdev)
      : JoystickDevice(FramesOf(evdev.get())), m_Fd(std::move(fd)), m_Evdev(std::move(evdev)) {}

  int Descriptor() const override { return m_Fd.Get(); }

  NextStatus Next(bool resync, InputEvent& event) override {
    input_event raw{};
    const int rc =
        libevdev_next_event(m_Evdev.get(), resync ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, &raw);
    if (rc == -EAGAIN) return NextStatus::Empty;
    if (rc == LIBEVDEV_READ_STATUS_SYNC && !resync) return NextStatus::Dropped;
    if (rc != LIBEVDEV_READ_STATUS_SUCCESS && rc != LIBEVDEV_READ_STATUS_SYNC) return NextStatus::Failed;
    event = InputEvent{raw.type, raw.code, raw.value};
    return NextStatus::Event;
  }

 private:
  // Declared after the descriptor, so the handle is freed before it closes.
  UniqueFd m_Fd;
  Evdev m_Evdev;
};

}  // namespace

std::unique_ptr<JoystickDevice> OpenEvdevJoystick(const std::string& node) {
  UniqueFd fd(::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return nullptr;
  libevdev* handle = nullptr;
  if (libevdev_new_from_fd(fd.Get(), &handle) < 0) return nullptr;
  Evdev evdev(handle);
  if (!IsJoystick(
          [&evdev](unsigned type, unsigned code) { return libevdev_has_event_code(evdev.get(), type, code) == 1; })) {
    return nullptr;
  }
  return std::make_unique<EvdevJoystickDevice>(std::move(fd), std::move(evdev));
}

}  // namespace qor::joystick
