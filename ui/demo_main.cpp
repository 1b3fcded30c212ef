// qorconfig-demo: the program over two virtual boards, no hardware needed.
// Pauses are not slept, so the demo does not wait on boards that do not exist.

#include <QApplication>

#include "sim/SimPlatform.h"
#include "ui/ConfigApp.h"
#include "ui/DemoBoards.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qor::sim::SimPlatform platform;
  qor::ui::AddDemoBoards(platform);
  qor::ui::CConfigApp app(platform);
  app.InitInstance();
  return 0;
}
