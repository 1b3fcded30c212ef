#include "ui/joystick/JoystickInput.h"

#include <QCoreApplication>

#include "ui/joystick/EvdevJoystickInput.h"

namespace qor::joystick {
namespace {

JoystickInput* installed = nullptr;
EvdevJoystickInput* machine = nullptr;

}  // namespace

JoystickInput& CurrentJoystickInput() {
  if (installed) return *installed;
  if (!machine) {
    machine = new EvdevJoystickInput;
    // Its notifiers must go before the application does.
    qAddPostRoutine([] {
      delete machine;
      machine = nullptr;
    });
  }
  return *machine;
}

void SetJoystickInput(JoystickInput* input) { installed = input; }

}  // namespace qor::joystick
