#include "settings/OpenFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace qor {

bool IsSameFile(const std::string& path, int fd) {
  struct stat named {};
  struct stat open {};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
         named.st_ino == open.st_ino;
}

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

}  // namespace qor
