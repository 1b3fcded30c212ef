#include "ChildProcess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace qor::test {
namespace {

constexpr unsigned kChildSeconds = 10;
constexpr int kPrivilegeDropFailed = 125;

}  // namespace

int RunInChild(bool unprivileged, const std::function<int()>& body) {
  std::fflush(nullptr);  // buffered output must not be written twice
  const pid_t pid = ::fork();
  if (pid < 0) return kChildFailed;
  if (pid == 0) {
    ::alarm(kChildSeconds);
    if (unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 || ::setuid(kUnprivilegedId) != 0)
        ::_exit(kPrivilegeDropFailed);
    }
    ::_exit(body());
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return kChildFailed;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : kChildFailed;
}

}  // namespace qor::test
