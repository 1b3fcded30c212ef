#pragma once
// One open joystick as the joystick source reads it: a descriptor to watch for
// input, and its events one by one. Closing the device is destroying it.

#include <memory>
#include <string>

#include "ui/joystick/JoystickFrames.h"

namespace qor::joystick {

class JoystickDevice {
 public:
  explicit JoystickDevice(JoystickFrames frames) : m_Frames(frames) {}
  virtual ~JoystickDevice() = default;
  JoystickDevice(const JoystickDevice&) = delete;
  JoystickDevice& operator=(const JoystickDevice&) = delete;

  // Readable when events are pending.
  virtual int Descriptor() const = 0;
  // libevdev's read of the next event, as DrainEvents asks for it.
  virtual NextStatus Next(bool resync, InputEvent& event) = 0;

  JoystickFrames& Frames() { return m_Frames; }

 private:
  JoystickFrames m_Frames;
};

// Opens an input event node through libevdev when it is a joystick the user
// may read; nullptr for anything else, silently.
std::unique_ptr<JoystickDevice> OpenEvdevJoystick(const std::string& node);

}  // namespace qor::joystick
