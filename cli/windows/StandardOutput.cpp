#include "cli/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/ExitCode.h"

namespace qor::cli {

int FinishStandardOutput(int status, std::ostream& err) {
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  const int flushError = errno;
  const bool failed = !flushed || std::ferror(stdout) != 0 || std::cout.fail();
  errno = 0;
  // A standard output that was never there (a program started without a
  // console or a redirection) is no failure.
  const bool closed = std::fclose(stdout) == 0 || errno == EBADF;
  if (!failed && closed) return status;
  const int error = failed ? flushError : errno;
  err << "qorctl: standard output: " << (error != 0 ? std::strerror(error) : "write error") << std::endl;
  return ToStatus(ExitCode::FileError);
}

}  // namespace qor::cli
