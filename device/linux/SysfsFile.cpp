#include "device/linux/SysfsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "settings/posix/UniqueFd.h"

namespace qor {

std::optional<std::string> ReadSysfsFile(const std::filesystem::path& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) return std::nullopt;
  std::string content;
  char chunk[4096];
  while (true) {
    const ssize_t count = ::read(fd.Get(), chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    if (count == 0) return content;
    content.append(chunk, static_cast<std::size_t>(count));
  }
}

}  // namespace qor
