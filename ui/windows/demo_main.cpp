// qorconfig-demo: the program over two virtual boards, no hardware needed.
// Pauses are not slept, so the demo does not wait on boards that do not exist.

#include "sim/DemoBoards.h"
#include "sim/SimPlatform.h"
#include "ui/ConfigApp.h"
#include "ui/framework/win32/ApplicationStart.h"

int main() {
  if (!qor::ui::win32::StartApplication()) return 1;
  qor::sim::SimPlatform platform;
  qor::sim::AddDemoBoards(platform);
  qor::ui::CConfigApp app(platform);
  app.InitInstance();
  return 0;
}
