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
    sink_ = sink;
    ++registrations;
  }
  void Unregister() override {
    sink_ = nullptr;
    ++removals;
  }
  JoystickSink* Registered() const override { return sink_; }

  // Hands the report to the registered control; false when none is.
  bool Send(std::initializer_list<std::uint8_t> report) {
    const std::vector<std::uint8_t> bytes(report);
    if (!sink_) return false;
    sink_->OnJoystickReport(bytes);
    return true;
  }
  bool Move(std::uint8_t x, std::uint8_t y) { return Send({0, x, y}); }

  int registrations = 0;
  int removals = 0;

 private:
  JoystickSink* sink_ = nullptr;
};

}  // namespace qor::joystick
