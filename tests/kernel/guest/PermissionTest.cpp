// A node the user may not open is skipped: the scan runs in a child process
// that has given up root.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"

namespace qor::guest {
namespace {

constexpr uid_t Nobody = 65534;

// Runs a scan as `nobody` and returns what it listed, one text per line.
std::string ScanAsNobody(int& status) {
  int pipeFds[2];
  if (::pipe(pipeFds) < 0) return "<pipe failed>";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::setgroups(0, nullptr) < 0 || ::setgid(Nobody) < 0 || ::setuid(Nobody) < 0) ::_exit(3);
    LinuxHidPlatform platform;
    DeviceLink link(platform);
    std::string listed;
    for (const std::string& text : ScanAndIdentify(link)) listed += text + "\n";
    const bool written = ::write(pipeFds[1], listed.data(), listed.size()) == static_cast<ssize_t>(listed.size());
    ::_exit(written ? 0 : 4);
  }
  ::close(pipeFds[1]);
  std::string listed;
  char chunk[256];
  ssize_t count;
  while ((count = ::read(pipeFds[0], chunk, sizeof chunk)) > 0) listed.append(chunk, static_cast<std::size_t>(count));
  ::close(pipeFds[0]);
  ::waitpid(child, &status, 0);
  return listed;
}

TEST(PermissionTest, NodeTheUserMayNotOpenIsSkipped) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give up";
  VirtualBoardProcess boards({"--board", "Locked", "--board", "Open"});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();
  const std::vector<VirtualNode> nodes = boards.NodesOfKind("board");
  ASSERT_EQ(nodes.size(), 2u);
  // As a udev rule would for the boards a user may use; the other stays root's.
  ASSERT_EQ(::chmod(nodes[0].Hidraw.c_str(), 0600), 0);
  ASSERT_EQ(::chmod(nodes[1].Hidraw.c_str(), 0666), 0);

  int status = 0;
  const std::string listed = ScanAsNobody(status);
  ASSERT_TRUE(WIFEXITED(status)) << "the scan crashed";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(listed, "Open\n");
}

}  // namespace
}  // namespace qor::guest
