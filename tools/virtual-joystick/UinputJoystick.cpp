#include "tools/virtual-joystick/UinputJoystick.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include <cstring>

namespace qor::virtualjoystick {
namespace {

input_absinfo Axis(AxisRange range) {
  input_absinfo info{};
  info.minimum = range.Minimum;
  info.maximum = range.Maximum;
  info.value = Centre(range);
  return info;
}

}  // namespace

std::unique_ptr<UinputJoystick> UinputJoystick::Create(AxisRange x, AxisRange y, std::string& error) {
  std::unique_ptr<UinputJoystick> joystick(new UinputJoystick);
  joystick->m_Device = libevdev_new();
  if (!joystick->m_Device) {
    error = "out of memory";
    return nullptr;
  }
  libevdev_set_name(joystick->m_Device, "QOR Virtual Joystick");
  libevdev_set_id_bustype(joystick->m_Device, BUS_VIRTUAL);
  const input_absinfo xInfo = Axis(x);
  const input_absinfo yInfo = Axis(y);
  libevdev_enable_event_code(joystick->m_Device, EV_ABS, ABS_X, &xInfo);
  libevdev_enable_event_code(joystick->m_Device, EV_ABS, ABS_Y, &yInfo);
  libevdev_enable_event_code(joystick->m_Device, EV_KEY, BTN_TRIGGER, nullptr);
  const int rc =
      libevdev_uinput_create_from_device(joystick->m_Device, LIBEVDEV_UINPUT_OPEN_MANAGED, &joystick->m_Uinput);
  if (rc != 0) {
    error = std::string("cannot create the joystick on /dev/uinput: ") + std::strerror(-rc);
    return nullptr;
  }
  const char* node = libevdev_uinput_get_devnode(joystick->m_Uinput);
  if (!node) {
    error = "the joystick has no event node";
    return nullptr;
  }
  joystick->m_Node = node;
  return joystick;
}

UinputJoystick::~UinputJoystick() {
  if (m_Uinput) libevdev_uinput_destroy(m_Uinput);
  if (m_Device) libevdev_free(m_Device);
}

bool UinputJoystick::Step(const PathStep& step) {
  bool written = Emit(EV_ABS, ABS_X, step.X) && Emit(EV_ABS, ABS_Y, step.Y);
  if (written && step.Trigger) written = Emit(EV_KEY, BTN_TRIGGER, *step.Trigger ? 1 : 0);
  return written && Emit(EV_SYN, SYN_REPORT, 0);
}

bool UinputJoystick::Emit(unsigned type, unsigned code, int value) {
  return libevdev_uinput_write_event(m_Uinput, type, code, value) == 0;
}

}  // namespace qor::virtualjoystick
