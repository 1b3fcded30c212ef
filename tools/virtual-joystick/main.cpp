// qor-virtual-joystick: a joystick whose stick walks a scripted path, for
// watching the dead-zone preview's cross-hair and testing the joystick reader
// without a real stick.

#include <iostream>
#include <string>

#include "tools/common/ToolMain.h"
#include "tools/virtual-joystick/CommandLine.h"
#include "tools/virtual-joystick/UinputJoystick.h"

using namespace qor::virtualjoystick;

int main(int argc, char** argv) {
  return qor::tools::RunTool("qor-virtual-joystick", argc, argv, ParseCommandLine, UsageText,
                             [](const Options& options, const qor::tools::StopSignals& stop) {
                               std::string error;
                               const auto joystick = UinputJoystick::Create(options.X, options.Y, error);
                               if (!joystick) {
                                 std::cerr << "qor-virtual-joystick: " << error << '\n';
                                 return 1;
                               }
                               std::cout << "device " << joystick->Node() << "\nready" << std::endl;

                               bool stopped = false;
                               do {
                                 for (const PathStep& step : options.Path) {
                                   if ((stopped = stop.Arrive(options.IntervalMs))) break;
                                   if (!joystick->Step(step)) {
                                     std::cerr << "qor-virtual-joystick: the kernel refused a step\n";
                                     return 1;
                                   }
                                   std::cout << "move " << step.X << ' ' << step.Y << std::endl;
                                 }
                               } while (options.Repeat && !stopped);
                               if (!stopped) {
                                 std::cout << "done" << std::endl;
                                 stop.Arrive(-1);
                               }
                               return 0;
                             });
}
