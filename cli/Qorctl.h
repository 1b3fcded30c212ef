#pragma once
// qorctl as a whole: the command line in, an exit status out.

#include <string>
#include <vector>

#include "cli/Commands.h"

namespace qor::cli {

// `arguments` leaves out the program name.
int Run(const std::vector<std::string>& arguments, CommandContext& context);

std::string HelpText();

}  // namespace qor::cli
