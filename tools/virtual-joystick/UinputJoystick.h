#pragma once
// A joystick on the kernel's input stack through /dev/uinput: absolute X and
// Y with the given ranges and a trigger button, which makes it a joystick to
// udev and to the program's reader alike. Destroyed with the object.

#include <memory>
#include <string>

#include "tools/virtual-joystick/CommandLine.h"

struct libevdev;
struct libevdev_uinput;

namespace qor::virtualjoystick {

class UinputJoystick {
 public:
  // Nullptr with `error` set when the kernel refuses the device.
  static std::unique_ptr<UinputJoystick> Create(AxisRange x, AxisRange y, std::string& error);
  ~UinputJoystick();
  UinputJoystick(const UinputJoystick&) = delete;
  UinputJoystick& operator=(const UinputJoystick&) = delete;

  // The event node, "/dev/input/eventN".
  const std::string& Node() const { return m_Node; }

  // One frame: the stick to the step's position and the trigger to its state
  // where it names one, closed by a SYN_REPORT. The kernel passes on only
  // what changed, and a frame in which nothing changed not at all.
  bool Step(const PathStep& step);

 private:
  UinputJoystick() = default;
  bool Emit(unsigned type, unsigned code, int value);

  libevdev* m_Device = nullptr;
  libevdev_uinput* m_Uinput = nullptr;
  std::string m_Node;
};

}  // namespace qor::virtualjoystick
