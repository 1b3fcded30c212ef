#include "settings/SettingsReport.h"

#include "res/StringTable.h"

namespace qor {

const char* ModeListText(int mode) {
  return mode >= 0 && mode < ModeCount ? res::LoadString(res::IDS_MODE_FIRST + mode) : nullptr;
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
