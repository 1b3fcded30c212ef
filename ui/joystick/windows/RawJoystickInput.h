#pragma once
// Joystick input through Windows' raw input: one registration for every
// joystick (usage page 1, usage 4), delivered even in the background to the
// registered control's own window, whose WM_INPUT hands the first HID report
// of each message to the control.

#include <windows.h>

#include <cstdint>
#include <span>

#include "ui/joystick/JoystickInput.h"

namespace qor::joystick {

// The first HID report of a RAWINPUT record of `size` bytes, bounded by the
// record; empty for input of another type or a record too short to hold one.
std::span<const std::uint8_t> FirstHidReport(const std::uint8_t* record, std::size_t size);

class RawJoystickInput final : public JoystickInput {
 public:
  // Registers with the sink's input window; a sink without one receives
  // nothing. The result of the registration is not needed: without it the
  // control simply hears no joystick.
  void Register(JoystickSink* sink) override;
  void Unregister() override;
  JoystickSink* Registered() const override { return m_Sink; }

  // What the target window does with a WM_INPUT message: reads its record and
  // hands the first report to the registered sink.
  void OnRawInput(HRAWINPUT input);
  // The last registration's outcome, for a check that it works here.
  bool RegistrationSucceeded() const { return m_Succeeded; }

 private:
  void Detach();

  JoystickSink* m_Sink = nullptr;
  HWND m_Window = nullptr;
  bool m_Succeeded = false;
};

}  // namespace qor::joystick
