#pragma once
// The frame of a virtual-device tool's main(): the command line, --help, and
// the stop signals, which arrive through a descriptor so that they are seen
// between requests and the tool always destroys its devices.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "settings/posix/UniqueFd.h"
#include "tools/common/CommandLine.h"

namespace qor::tools {

// Blocks SIGINT, SIGTERM and SIGHUP and hands them out through a descriptor.
class StopSignals {
 public:
  StopSignals();

  // Negative when the descriptor could not be made (errno says why).
  int Descriptor() const { return m_Fd.Get(); }
  // Waits up to `milliseconds` (-1: for ever); true when a stop signal came.
  bool Arrive(int milliseconds) const;

 private:
  UniqueFd m_Fd;
};

// Reads the command line with `parse`, prints `usage` for --help, and hands
// the options and the stop signals to `serve`. The exit status is 2 for a
// wrong line, 1 when the signals cannot be routed, else what `serve` returns.
template <class Options, class Serve>
int RunTool(const char* program, int argc, char** argv, ParseResult<Options> (*parse)(const std::vector<std::string>&),
            const char* usage, Serve serve) {
  const ParseResult<Options> parsed = parse(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Parsed) {
    std::cerr << program << ": " << parsed.Error << "\nTry '" << program << " --help'.\n";
    return 2;
  }
  const Options& options = *parsed.Parsed;
  if (options.Help) {
    std::cout << usage;
    return 0;
  }
  const StopSignals stop;
  if (stop.Descriptor() < 0) {
    std::perror((std::string(program) + ": signalfd").c_str());
    return 1;
  }
  return serve(options, stop);
}

}  // namespace qor::tools
