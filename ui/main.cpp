// qorconfig: configures the QOR boards attached to this computer.

#include <QApplication>

#include "device/linux/LinuxHidPlatform.h"
#include "device/linux/SysfsBoardProbe.h"
#include "ui/ConfigApp.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qor::LinuxHidPlatform platform;
  qor::SysfsBoardProbe probe;
  qor::ui::CConfigApp app(platform, &probe, {QOR_ACCESS_RULE, QOR_PLUGDEV_EXAMPLE});
  app.InitInstance();
  return 0;
}
