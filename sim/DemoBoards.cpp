#include "sim/DemoBoards.h"

#include "settings/KeyCodeTable.h"

namespace qor::sim {
namespace {

SettingsReport DemoSettings(std::uint8_t boardId, std::uint8_t mode, std::uint8_t analog, std::uint8_t joyMouse,
                            int firstKey) {
  SettingsReport image{};
  image[report_offset::BoardId] = boardId;
  image[report_offset::Mode] = mode;
  image[report_offset::AnalogInputs] = analog;
  image[report_offset::Reserved] = 0x5A;
  image[report_offset::JoyMouse] = joyMouse;
  WriteDeadZone(image, report_offset::JoyMouseDeadZone, DeadZone{100, 150, 90, 160});
  WriteDeadZone(image, report_offset::KeyStickDeadZone, DeadZone{64, 192, 64, 192});
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i)
    image[report_offset::KeyStickKeys + i] =
        KeyCodeTable::CodeAt(static_cast<int>((firstKey + i) % KeyCodeTable::Count));
  return image;
}

}  // namespace

void AddDemoBoards(SimPlatform& platform) {
  platform.AddBoard("QOR Arcade P1", DemoSettings(0, SingleAnalog6Axis, 0x3F, 0x88, 56));
  platform.AddBoard("QOR Cabinet P2", DemoSettings(1, SingleAnalogKeyStick, 0x03, 0x05, 28), QorFirstProductId + 1);
}

}  // namespace qor::sim
