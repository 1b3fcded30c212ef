#include "ui/joystick/JoystickInput.h"

namespace qor::joystick {
namespace {

JoystickInput* installed = nullptr;

}  // namespace

JoystickInput& CurrentJoystickInput() { return installed ? *installed : MachineJoystickInput(); }

void SetJoystickInput(JoystickInput* input) { installed = input; }

}  // namespace qor::joystick
