#include "ui/DemoBoards.h"

#include "settings/KeyCodeTable.h"

namespace qor::ui {
namespace {

SettingsReport DemoSettings(std::uint8_t boardId, std::uint8_t mode, std::uint8_t analog, std::uint8_t joyMouse,
                            int firstKey) {
  SettingsReport image{};
  image[ReportOffset::BoardId] = boardId;
  image[ReportOffset::Mode] = mode;
  image[ReportOffset::AnalogInputs] = analog;
  image[ReportOffset::Reserved] = 0x5A;
  image[ReportOffset::JoyMouse] = joyMouse;
  WriteDeadZone(image, ReportOffset::JoyMouseDeadZone, DeadZone{100, 150, 90, 160});
  WriteDeadZone(image, ReportOffset::KeyStickDeadZone, DeadZone{64, 192, 64, 192});
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i)
    image[ReportOffset::KeyStickKeys + i] = KeyCodeTable::CodeAt(static_cast<int>((firstKey + i) % KeyCodeTable::Count));
  return image;
}

}  // namespace

void AddDemoBoards(sim::SimPlatform& platform) {
  platform.AddBoard("QOR Arcade P1", DemoSettings(0, SingleAnalog6Axis, 0x3F, 0x88, 56));
  platform.AddBoard("QOR Cabinet P2", DemoSettings(1, SingleAnalogKeyStick, 0x03, 0x05, 28), QorFirstProductId + 1);
}

}  // namespace qor::ui
