// qorctl: the settings of QOR boards from the command line, without a display.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Qorctl.h"
#include "cli/StandardOutput.h"
#include "device/linux/LinuxHidPlatform.h"
#include "device/linux/SysfsBoardProbe.h"

int main(int argc, char** argv) {
  qor::LinuxHidPlatform platform;
  qor::SysfsBoardProbe probe;
  qor::cli::CommandContext context{platform, probe, std::cout, std::cerr, {QOR_ACCESS_RULE, QOR_PLUGDEV_EXAMPLE}};
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return qor::cli::FinishStandardOutput(qor::cli::Run(arguments, context), std::cerr);
}
