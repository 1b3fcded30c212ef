// qorconfig.exe: configures the QOR boards attached to this computer.

#include "device/windows/UnopenedBoardsHint.h"
#include "device/windows/WindowsBoardProbe.h"
#include "device/windows/WindowsHidPlatform.h"
#include "ui/ConfigApp.h"
#include "ui/framework/win32/ApplicationStart.h"

int main() {
  if (!qor::ui::win32::StartApplication()) return 1;
  qor::WindowsHidPlatform platform;
  qor::WindowsBoardProbe probe;
  qor::UnopenedBoardsHint hint(probe);
  qor::ui::CConfigApp app(platform, &hint);
  app.InitInstance();
  return 0;
}
