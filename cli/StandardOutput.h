#pragma once
// Output that did not reach its destination is a failure: a full disk must
// not leave an empty `show --json` file behind a successful exit.

#include <ostream>

namespace qor::cli {

// Flushes and closes standard output (std::cout included) before the exit.
// When anything printed did not get through, says so on err with the
// system's reason and returns the file-error status 5; otherwise returns
// status.
int FinishStandardOutput(int status, std::ostream& err);

}  // namespace qor::cli
