#pragma once
// A joystick source played by hand: tests and the screenshot tool send
// reports as an attached joystick would.

#include <initializer_list>
#include <vector>

#include "ui/joystick/JoystickInput.h"

namespace qor::joystick {

class FakeJoystickInput : public JoystickInput {
 public:
  void Register(JoystickSink* sink) override {
    m_Sink = sink;
    ++Registrations;
  }
  void Unregister() override {
    m_Sink = nullptr;
    ++Removals;
  }
  JoystickSink* Registered() const override { return m_Sink; }

  // Hands the report to the registered control; false when none is.
  bool Send(std::initializer_list<std::uint8_t> report) {
    const std::vector<std::uint8_t> bytes(report);
    if (!m_Sink) return false;
    m_Sink->OnJoystickReport(bytes);
    return true;
  }
  bool Move(std::uint8_t x, std::uint8_t y) { return Send({0, x, y}); }

  int Registrations = 0;
  int Removals = 0;

 private:
  JoystickSink* m_Sink = nullptr;
};

}  // namespace qor::joystick
