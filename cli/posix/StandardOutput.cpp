#include "cli/StandardOutput.h"

#include <stdio_ext.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/ExitCode.h"

namespace qor::cli {

int FinishStandardOutput(int status, std::ostream& err) {
  errno = 0;
  std::cout.flush();
  std::fflush(stdout);
  const int flushError = errno;
  const bool failed = std::ferror(stdout) != 0 || std::cout.fail();
  const bool pending = ::__fpending(stdout) > 0;
  errno = 0;
  const bool closed = std::fclose(stdout) == 0;
  // A closed standard output is no failure when nothing was to go there.
  if (!failed && (closed || (errno == EBADF && !pending))) return status;
  const int error = failed ? flushError : errno;
  err << "qorctl: standard output: " << (error != 0 ? std::strerror(error) : "write error") << std::endl;
  return ToStatus(ExitCode::FileError);
}

}  // namespace qor::cli
