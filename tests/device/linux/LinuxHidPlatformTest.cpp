#include "device/linux/LinuxHidPlatform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

namespace qor {
namespace {

// A regular file in a fresh folder, removed with it.
class ScratchFile {
 public:
  ScratchFile() {
    char folder[] = "/tmp/qor-hidraw-test-XXXXXX";
    EXPECT_NE(::mkdtemp(folder), nullptr);
    m_Folder = folder;
    m_Path = m_Folder + "/node";
    const int fd = ::open(m_Path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0);
    ::close(fd);
  }
  ~ScratchFile() {
    ::unlink(m_Path.c_str());
    ::rmdir(m_Folder.c_str());
  }
  const std::string& Path() const { return m_Path; }
  const std::string& Folder() const { return m_Folder; }

 private:
  std::string m_Folder;
  std::string m_Path;
};

bool IsOpenDescriptor(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

TEST(LinuxHidPlatformOpenTest, MissingPathFails) {
  LinuxHidPlatform platform;
  EXPECT_EQ(platform.Open("/dev/qor-no-such-node"), InvalidHidHandle);
}

// Only a character device can be a node; nothing else is kept open.
TEST(LinuxHidPlatformOpenTest, FolderAndRegularFileFail) {
  ScratchFile file;
  LinuxHidPlatform platform;
  EXPECT_EQ(platform.Open(file.Folder()), InvalidHidHandle);
  EXPECT_EQ(platform.Open(file.Path()), InvalidHidHandle);
}

TEST(LinuxHidPlatformOpenTest, NodeTheUserMayNotReadFails) {
  ScratchFile file;
  ASSERT_EQ(::chmod(file.Path().c_str(), 0200), 0);
  // The folder lets anyone reach the file; only the file's mode refuses.
  ASSERT_EQ(::chmod(file.Folder().c_str(), 0755), 0);
  // root may write anything, so the attempt runs as an ordinary user.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    LinuxHidPlatform platform;
    ::_exit(platform.Open(file.Path()) == InvalidHidHandle ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Every call that needs a hidraw node, run on something else: each must give
// false and leave its output untouched.
struct NodeCall {
  std::string Name;
  std::function<bool(LinuxHidPlatform&, HidHandle)> Call;
};

const std::array<NodeCall, 7> NodeCalls{{
    {"GetAttributes",
     [](LinuxHidPlatform& p, HidHandle h) {
       HidAttributes attributes{0x1234, 0x5678};
       const bool ok = p.GetAttributes(h, attributes);
       EXPECT_EQ(attributes.VendorId, 0x1234);
       EXPECT_EQ(attributes.ProductId, 0x5678);
       return ok;
     }},
    {"GetFeatureReportLength",
     [](LinuxHidPlatform& p, HidHandle h) {
       int length = 77;
       const bool ok = p.GetFeatureReportLength(h, length);
       EXPECT_EQ(length, 77);
       return ok;
     }},
    {"GetFeature33",
     [](LinuxHidPlatform& p, HidHandle h) {
       std::array<std::uint8_t, 33> buffer{};
       return p.GetFeature(h, buffer.data(), 33);
     }},
    {"SetFeature33",
     [](LinuxHidPlatform& p, HidHandle h) {
       const std::array<std::uint8_t, 33> buffer{};
       return p.SetFeature(h, buffer.data(), 33);
     }},
    {"GetFeatureZeroLength",
     [](LinuxHidPlatform& p, HidHandle h) {
       std::uint8_t buffer = 0;
       return p.GetFeature(h, &buffer, 0);
     }},
    {"SetFeatureNegativeLength",
     [](LinuxHidPlatform& p, HidHandle h) {
       const std::uint8_t buffer = 0;
       return p.SetFeature(h, &buffer, -1);
     }},
    {"GetFeatureBeyondIoctlSize",
     [](LinuxHidPlatform& p, HidHandle h) {
       std::array<std::uint8_t, 0x4000> buffer{};
       return p.GetFeature(h, buffer.data(), 0x4000);
     }},
}};

enum class NotHidraw { DevNull, InvalidHandle };

class NonHidrawHandleTest : public testing::TestWithParam<std::tuple<NotHidraw, NodeCall>> {};

TEST_P(NonHidrawHandleTest, CallFailsCleanly) {
  const auto& [kind, call] = GetParam();
  LinuxHidPlatform platform;
  HidHandle handle = InvalidHidHandle;
  if (kind == NotHidraw::DevNull) handle = platform.Open("/dev/null");
  if (kind != NotHidraw::InvalidHandle) {
    ASSERT_NE(handle, InvalidHidHandle);
  }

  EXPECT_FALSE(call.Call(platform, handle));

  platform.Close(handle);
  if (handle != InvalidHidHandle) {
    EXPECT_FALSE(IsOpenDescriptor(handle));
  }
}

std::string CaseName(const testing::TestParamInfo<std::tuple<NotHidraw, NodeCall>>& info) {
  static const char* const Kinds[] = {"DevNull", "InvalidHandle"};
  return std::string(Kinds[static_cast<int>(std::get<0>(info.param))]) + "_" + std::get<1>(info.param).Name;
}

INSTANTIATE_TEST_SUITE_P(Calls, NonHidrawHandleTest,
                         testing::Combine(testing::Values(NotHidraw::DevNull, NotHidraw::InvalidHandle),
                                          testing::ValuesIn(NodeCalls)),
                         CaseName);

TEST(LinuxHidPlatformOpenTest, OpenedNodeIsClosedOnExec) {
  LinuxHidPlatform platform;
  const HidHandle handle = platform.Open("/dev/null");
  ASSERT_NE(handle, InvalidHidHandle);
  EXPECT_NE(::fcntl(handle, F_GETFD) & FD_CLOEXEC, 0);
  platform.Close(handle);
}

void IgnoreAlarm(int) {}

TEST(LinuxHidPlatformPauseTest, SignalsDoNotCutThePauseShort) {
  // Without SA_RESTART every alarm interrupts nanosleep.
  struct sigaction action {};
  action.sa_handler = IgnoreAlarm;
  struct sigaction previous {};
  ASSERT_EQ(::sigaction(SIGALRM, &action, &previous), 0);
  const itimerval every5ms{{0, 5000}, {0, 5000}};
  ASSERT_EQ(::setitimer(ITIMER_REAL, &every5ms, nullptr), 0);

  LinuxHidPlatform platform;
  const auto start = std::chrono::steady_clock::now();
  platform.Pause(60);
  const auto elapsed = std::chrono::steady_clock::now() - start;

  const itimerval off{};
  ::setitimer(ITIMER_REAL, &off, nullptr);
  ::sigaction(SIGALRM, &previous, nullptr);
  EXPECT_GE(elapsed, std::chrono::milliseconds(60));
}

TEST(LinuxHidPlatformPauseTest, NonPositivePauseReturnsAtOnce) {
  LinuxHidPlatform platform;
  const auto start = std::chrono::steady_clock::now();
  platform.Pause(0);
  platform.Pause(-1000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace qor
