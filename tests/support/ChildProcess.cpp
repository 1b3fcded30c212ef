#include "ChildProcess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "TempFolder.h"

namespace qor::test {
namespace {

constexpr unsigned ChildSeconds = 10;
constexpr int PrivilegeDropFailed = 125;

}  // namespace

int RunInChild(bool unprivileged, const std::function<int()>& body) {
  std::fflush(nullptr);  // buffered output must not be written twice
  const pid_t pid = ::fork();
  if (pid < 0) return ChildFailed;
  if (pid == 0) {
    ::alarm(ChildSeconds);
    if (unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(UnprivilegedId) != 0 || ::setuid(UnprivilegedId) != 0)
        ::_exit(PrivilegeDropFailed);
    }
    ::_exit(body());
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return ChildFailed;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : ChildFailed;
}

// Handing files to another user is POSIX's, as are the children that run as it.
void TempFolder::HandToUnprivilegedUser() const {
  if (::geteuid() != 0) return;
  auto hand = [](const std::filesystem::path& path) {
    if (::lchown(path.c_str(), UnprivilegedId, UnprivilegedId) != 0)
      throw std::runtime_error("lchown failed for " + path.string());
  };
  hand(m_Path);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(m_Path)) hand(entry.path());
}

}  // namespace qor::test
