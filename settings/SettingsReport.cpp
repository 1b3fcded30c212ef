#include "settings/SettingsReport.h"

namespace qor {

const char* ModeListText(int mode) {
  static constexpr const char* texts[ModeCount] = {
      "Single Analog 6-Axis 14 Button Joystick",
      "Dual Analog 3-Axis 7-Button Joysticks",
      "Single Digital 10 Button Joystick",
      "Single 49-way 12 Button Joystick",
      "Single Analog 2-Axis 14 Button KeyStick",
  };
  return mode >= 0 && mode < ModeCount ? texts[mode] : nullptr;
}

DeadZone ReadDeadZone(const SettingsReport& image, std::size_t offset) {
  return DeadZone{image.at(offset), image.at(offset + 1), image.at(offset + 2), image.at(offset + 3)};
}

void WriteDeadZone(SettingsReport& image, std::size_t offset, const DeadZone& zone) {
  image.at(offset) = zone.Top;
  image.at(offset + 1) = zone.Bottom;
  image.at(offset + 2) = zone.Left;
  image.at(offset + 3) = zone.Right;
}

}  // namespace qor
