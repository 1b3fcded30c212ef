// Any stream of device events, drops and failures included, must read without
// fault: each report carries report ID 0, and on a 0..255 axis the stick's
// last value passes unchanged.
//
// Input: 8 bytes of axis range (minimum, maximum), then steps of 9 bytes:
// status (Event, Dropped, Empty, Failed, by value modulo 4), type, code, value.

#include <linux/input-event-codes.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ui/joystick/JoystickFrames.h"

namespace {

template <class T>
T Take(const std::uint8_t*& data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  data += sizeof value;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qor::joystick;
  if (size < 8) return 0;
  const std::uint8_t* end = data + size;
  const AxisRange range{Take<std::int32_t>(data), Take<std::int32_t>(data)};
  JoystickFrames frames(range, range, 0, 0);
  const bool byteAxis = range.Minimum == 0 && range.Maximum == 255;
  int lastX = 0;

  DrainEvents(
      [&](bool, InputEvent& event) {
        if (end - data < 9) return NextStatus::Failed;
        const auto status = static_cast<NextStatus>(Take<std::uint8_t>(data) % 4);
        event.Type = Take<std::uint16_t>(data);
        event.Code = Take<std::uint16_t>(data);
        event.Value = Take<std::int32_t>(data);
        if (status == NextStatus::Event && event.Type == EV_ABS && event.Code == ABS_X) lastX = event.Value;
        return status;
      },
      frames,
      [&](const JoystickReport& report) {
        if (report[0] != 0) std::abort();
        if (byteAxis && lastX >= 0 && lastX <= 255 && report[1] != lastX) std::abort();
      });
  return 0;
}
