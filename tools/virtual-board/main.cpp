// qor-virtual-board: virtual QOR boards on the kernel's HID stack, for trying
// and testing the program without hardware.

#include <iostream>
#include <string>

#include "tools/common/ToolMain.h"
#include "tools/virtual-board/CommandLine.h"
#include "tools/virtual-board/DeviceHost.h"

using namespace qor::virtualboard;

int main(int argc, char** argv) {
  return qor::tools::RunTool("qor-virtual-board", argc, argv, ParseCommandLine, UsageText,
                             [](const Options& options, const qor::tools::StopSignals& stop) {
                               std::string error;
                               DeviceHost host(std::cout, options.Verbose ? &std::cerr : nullptr);
                               bool served = true;
                               for (const DeviceRequest& wanted : options.Devices) {
                                 if (!(served = host.Add(wanted, stop.Descriptor(), error))) break;
                               }
                               if (served) {
                                 std::cout << "ready" << std::endl;
                                 served = host.Serve(stop.Descriptor(), error);
                               }
                               if (!error.empty()) std::cerr << "qor-virtual-board: " << error << '\n';
                               return error.empty() ? 0 : 1;
                             });
}
