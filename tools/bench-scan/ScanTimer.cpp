// The clock of scripts/bench-scan, two ways:
//   qor-scan-timer list          runs qorctl list's own code in this process
//                                (the same platform, probe and command) and
//                                writes "scan NS" to standard error: the
//                                nanoseconds of the command alone; then
//                                "rescan NS" for a second run, whose code is
//                                warm;
//   qor-scan-timer run PROGRAM…  starts PROGRAM with its standard output on
//                                /dev/null and prints "wall NS": the
//                                nanoseconds from its start to its end.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <iostream>
#include <sstream>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "device/linux/LinuxHidPlatform.h"
#include "device/linux/SysfsBoardProbe.h"

extern char** environ;

namespace {

long long Now() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The list command on qorctl's platform and probe; its output goes to `out`.
// The probe looks for the access rule only for boards that cannot be opened,
// and the bench's boards all can, so its default places do.
long long TimedList(std::ostringstream& out, qor::cli::ExitCode& code) {
  qor::LinuxHidPlatform platform;
  qor::SysfsBoardProbe probe;
  qor::cli::CommandContext context{platform, probe, out, out, {QOR_ACCESS_RULE, QOR_PLUGDEV_EXAMPLE}};
  const long long start = Now();
  code = qor::cli::ListBoards(context, false);
  return Now() - start;
}

int TimeList() {
  std::ostringstream out;
  std::ostringstream again;
  qor::cli::ExitCode code{};
  qor::cli::ExitCode repeated{};
  const long long first = TimedList(out, code);
  const long long second = TimedList(again, repeated);
  std::cout << out.str();
  std::cerr << "scan " << first << "\nrescan " << second << '\n';
  return qor::cli::ToStatus(code);
}

int TimeRun(char** program) {
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const long long start = Now();
  pid_t child = 0;
  const int error = ::posix_spawn(&child, program[0], &actions, nullptr, program, environ);
  int status = 0;
  if (error == 0) ::waitpid(child, &status, 0);
  const long long elapsed = Now() - start;
  ::posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    std::perror(program[0]);
    return 1;
  }
  std::cout << "wall " << elapsed << '\n';
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "list" && argc == 2) return TimeList();
  if (mode == "run" && argc > 2) return TimeRun(argv + 2);
  std::cerr << "usage: qor-scan-timer list | run PROGRAM [ARGUMENT...]\n";
  return 2;
}
