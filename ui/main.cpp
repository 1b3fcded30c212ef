// qorconfig: configures the QOR boards attached to this computer.

#include "device/linux/LinuxHidPlatform.h"
#include "device/linux/SysfsBoardProbe.h"
#include "ui/ApplicationStart.h"
#include "ui/ConfigApp.h"

int main(int argc, char* argv[]) {
  const auto application = qor::ui::StartOnDisplay(argc, argv);
  if (!application) return 1;
  qor::LinuxHidPlatform platform;
  qor::SysfsBoardProbe probe;
  qor::ui::CConfigApp app(platform, &probe, {QOR_ACCESS_RULE, QOR_PLUGDEV_EXAMPLE});
  app.InitInstance();
  return 0;
}
