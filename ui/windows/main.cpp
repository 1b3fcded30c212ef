// qorconfig.exe: configures the QOR boards attached to this computer.

#include "device/windows/WindowsHidPlatform.h"
#include "ui/ConfigApp.h"
#include "ui/framework/win32/ApplicationStart.h"

int main() {
  if (!qor::ui::win32::StartApplication()) return 1;
  qor::WindowsHidPlatform platform;
  qor::ui::CConfigApp app(platform);
  app.InitInstance();
  return 0;
}
