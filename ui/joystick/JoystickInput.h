#pragma once
// The process-wide source of joystick input. One control at a time receives
// it: the latest registration wins, as raw input registrations do per process.

#include <cstdint>
#include <span>

namespace qor::joystick {

class JoystickSink {
 public:
  // A joystick's first input report: byte 0 the report ID, then X and Y.
  virtual void OnJoystickReport(std::span<const std::uint8_t> report) = 0;
  // The window the platform delivers the sink's input to, where it needs one
  // (Windows' raw input: an HWND); 0 for none.
  virtual std::uintptr_t InputWindow() const { return 0; }

 protected:
  ~JoystickSink() = default;
};

class JoystickInput {
 public:
  virtual ~JoystickInput() = default;

  // From now on every joystick's reports go to `sink`, replacing the
  // registration in force.
  virtual void Register(JoystickSink* sink) = 0;
  // Ends the registration in force, whichever sink made it.
  virtual void Unregister() = 0;
  virtual JoystickSink* Registered() const = 0;
};

// The source in use: the one installed last, else MachineJoystickInput.
JoystickInput& CurrentJoystickInput();
// Installs a source, e.g. a test's; nullptr goes back to this machine's.
void SetJoystickInput(JoystickInput* input);

// The joysticks of this machine, through the platform's input (evdev on
// Linux, which needs a running Qt application), made when first asked for.
// The platform's joystick library defines it.
JoystickInput& MachineJoystickInput();

}  // namespace qor::joystick
