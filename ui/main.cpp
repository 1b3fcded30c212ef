// qorconfig: configures the QOR boards attached to this computer.

#include "device/linux/AccessHint.h"
#include "device/linux/LinuxHidPlatform.h"
#include "device/linux/SysfsBoardProbe.h"
#include "ui/ConfigApp.h"
#include "ui/framework/qt/ApplicationStart.h"

int main(int argc, char* argv[]) {
  const auto application = qor::ui::qt::StartOnDisplay(argc, argv);
  if (!application) return 1;
  qor::LinuxHidPlatform platform;
  qor::SysfsBoardProbe probe("/sys", "/dev", qor::AccessPlaces::ForRule(QOR_ACCESS_RULE));
  qor::AccessHint hint(probe, {QOR_ACCESS_RULE, QOR_PLUGDEV_EXAMPLE});
  qor::ui::CConfigApp app(platform, &hint);
  app.InitInstance();
  return 0;
}
