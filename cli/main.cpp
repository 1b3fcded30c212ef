// qorctl: the settings of QOR boards from the command line, without a display.

#include <signal.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Qorctl.h"
#include "cli/StandardOutput.h"
#include "device/linux/LinuxHidPlatform.h"
#include "device/linux/SysfsBoardProbe.h"
#include "settings/posix/FileIo.h"

int main(int argc, char** argv) {
  // Before anything is opened: a closed standard stream must not lend its
  // number to a board, which would then get the output as a report.
  if (!qor::fileio::OpenStandardDescriptors()) return qor::cli::ToStatus(qor::cli::ExitCode::FileError);
  // A file size limit fails a write (exit 5) instead of ending the program.
  ::signal(SIGXFSZ, SIG_IGN);
  qor::LinuxHidPlatform platform;
  qor::SysfsBoardProbe probe("/sys", "/dev", qor::AccessPlaces::ForRule(QOR_ACCESS_RULE));
  qor::cli::CommandContext context{platform, probe, std::cout, std::cerr, {QOR_ACCESS_RULE, QOR_PLUGDEV_EXAMPLE}};
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return qor::cli::FinishStandardOutput(qor::cli::Run(arguments, context), std::cerr);
}
