// qor-virtual-joystick: a joystick whose stick walks a scripted path, for
// watching the dead-zone preview's cross-hair and testing the joystick reader
// without a real stick.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tools/virtual-joystick/CommandLine.h"
#include "tools/virtual-joystick/UinputJoystick.h"

using namespace qor::virtualjoystick;

namespace {

// Waits up to `milliseconds` (-1: for ever); true when a stop signal came.
bool StopArrives(int stopFd, int milliseconds) {
  pollfd stop{stopFd, POLLIN, 0};
  return ::poll(&stop, 1, milliseconds) > 0;
}

}  // namespace

int main(int argc, char** argv) {
  const ParseResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Parsed) {
    std::cerr << "qor-virtual-joystick: " << parsed.Error << "\nTry 'qor-virtual-joystick --help'.\n";
    return 2;
  }
  const Options& options = *parsed.Parsed;
  if (options.Help) {
    std::cout << UsageText;
    return 0;
  }

  // The stop signals arrive through a descriptor, so the joystick is always destroyed.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSignals, signal);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  if (stopFd < 0) {
    std::perror("qor-virtual-joystick: signalfd");
    return 1;
  }

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
      if ((stopped = StopArrives(stopFd, options.IntervalMs))) break;
      if (!joystick->Step(step)) {
        std::cerr << "qor-virtual-joystick: the kernel refused a step\n";
        return 1;
      }
      std::cout << "move " << step.X << ' ' << step.Y << std::endl;
    }
  } while (options.Repeat && !stopped);
  if (!stopped) {
    std::cout << "done" << std::endl;
    StopArrives(stopFd, -1);
  }
  ::close(stopFd);
  return 0;
}
