// qor-virtual-board: virtual QOR boards on the kernel's HID stack, for trying
// and testing the program without hardware.

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tools/virtual-board/CommandLine.h"
#include "tools/virtual-board/DeviceHost.h"

using namespace qor::virtualboard;

int main(int argc, char** argv) {
  const ParseResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Parsed) {
    std::cerr << "qor-virtual-board: " << parsed.Error << "\nTry 'qor-virtual-board --help'.\n";
    return 2;
  }
  const Options& options = *parsed.Parsed;
  if (options.Help) {
    std::cout << UsageText;
    return 0;
  }

  // The stop signals arrive through a descriptor, so they are seen between
  // requests and the devices are always destroyed.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSignals, signal);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  if (stopFd < 0) {
    std::perror("qor-virtual-board: signalfd");
    return 1;
  }

  std::string error;
  DeviceHost host(std::cout, options.Verbose ? &std::cerr : nullptr);
  bool served = true;
  for (const DeviceSpec& wanted : options.Devices) {
    if (!(served = host.Add(wanted, stopFd, error))) break;
  }
  if (served) {
    std::cout << "ready" << std::endl;
    served = host.Serve(stopFd, error);
  }
  if (!error.empty()) std::cerr << "qor-virtual-board: " << error << '\n';
  ::close(stopFd);
  return error.empty() ? 0 : 1;
}
