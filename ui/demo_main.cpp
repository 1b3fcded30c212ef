// qorconfig-demo: the program over two virtual boards, no hardware needed.
// Pauses are not slept, so the demo does not wait on boards that do not exist.

#include "sim/DemoBoards.h"
#include "sim/SimPlatform.h"
#include "ui/ConfigApp.h"
#include "ui/framework/qt/ApplicationStart.h"

int main(int argc, char* argv[]) {
  const auto application = qor::ui::qt::StartOnDisplay(argc, argv);
  if (!application) return 1;
  qor::sim::SimPlatform platform;
  qor::sim::AddDemoBoards(platform);
  qor::ui::CConfigApp app(platform);
  app.InitInstance();
  return 0;
}
