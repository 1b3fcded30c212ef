// qorctl: the settings of QOR boards from the command line, without a display.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Qorctl.h"
#include "cli/SysfsBoardAccess.h"
#include "device/linux/LinuxHidPlatform.h"

int main(int argc, char** argv) {
  qor::LinuxHidPlatform platform;
  qor::cli::SysfsBoardAccessProbe probe;
  qor::cli::CommandContext context{platform, probe, std::cout, std::cerr, QOR_UDEV_RULES_DIR};
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return qor::cli::Run(arguments, context);
}
