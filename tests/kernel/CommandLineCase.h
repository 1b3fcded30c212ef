#pragma once
// A row of a virtual-device tool's command-line table: the arguments and what
// their parse shows.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tools/common/CommandLine.h"

namespace qor::test {

struct CommandLineCase {
  const char* Name;
  std::vector<std::string> Arguments;  // without the program name
  std::string Expected;                // Shown() of the parse
};
inline void PrintTo(const CommandLineCase& row, std::ostream* out) { *out << row.Name; }
inline std::string CaseName(const testing::TestParamInfo<CommandLineCase>& info) { return info.param.Name; }

// The parsed options as `describe` puts them, or "error: " and the fault.
template <class Options>
std::string Shown(const tools::ParseResult<Options>& result, std::string (*describe)(const Options&)) {
  return result.Parsed ? describe(*result.Parsed) : "error: " + result.Error;
}

}  // namespace qor::test
