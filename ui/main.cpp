// qorconfig: configures the QOR boards attached to this computer.

#include <QApplication>

#include "device/linux/LinuxHidPlatform.h"
#include "ui/ConfigApp.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qor::LinuxHidPlatform platform;
  qor::ui::CConfigApp app(platform);
  app.InitInstance();
  return 0;
}
