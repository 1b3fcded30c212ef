// The writer against a second user on the machine: files, FIFOs and links that
// user planted in a sticky folder, with the kernel's fs.protected_* switches
// set per row, and a watcher that opens every new file while exports run.
// Playing two users and setting the switches needs root; the cases skip with
// a message where they cannot (the test guest runs them as root).

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "FileOwners.h"
#include "settings/SettingsFile.h"
#include "tests/support/RowName.h"

namespace qor {
namespace {
namespace fs = std::filesystem;
using test::Bytes;
using test::Check;
using test::FileOf;
using test::Folder;
using test::OtherUser;
using test::TempFolder;

constexpr uid_t Victim = test::UnprivilegedId;
constexpr uid_t ThirdUser = test::UnprivilegedId - 2;
const Bytes OldBytes(40, 0x5A);

SettingsReport NewImage() {
  SettingsReport image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x80 + i);
  return image;
}
const Bytes NewBytes = [] {
  const SettingsReport image = NewImage();
  return Bytes(image.begin(), image.end());
}();

// Sets a kernel switch and restores it afterwards.
class Sysctl {
 public:
  explicit Sysctl(const std::string& name) : m_Path("/proc/sys/fs/" + name) {
    std::ifstream in(m_Path);
    m_Ok = static_cast<bool>(in >> m_Saved);
  }
  ~Sysctl() {
    if (m_Changed) Write(m_Saved);
  }
  Sysctl(const Sysctl&) = delete;
  Sysctl& operator=(const Sysctl&) = delete;

  bool Set(int value) {
    m_Changed = m_Ok && Write(std::to_string(value));
    return m_Changed;
  }

 private:
  bool Write(const std::string& value) const {
    std::ofstream out(m_Path);
    return static_cast<bool>(out << value << std::flush);
  }

  std::string m_Path;
  std::string m_Saved;
  bool m_Ok = false;
  bool m_Changed = false;
};

// Every name under the folder with its type, inode, and a regular file's bytes.
struct Entry {
  fs::file_type Type;
  ino_t Inode;
  Bytes Content;
  bool operator==(const Entry&) const = default;
};
using Snapshot = std::map<std::string, Entry>;

// Links are never followed: the switches bind root too.
void Add(const fs::path& folder, const fs::path& root, Snapshot& snapshot) {
  for (const auto& item : fs::directory_iterator(folder)) {
    struct stat st {};
    Check(::lstat(item.path().c_str(), &st) == 0, "lstat");
    const fs::file_type type = item.symlink_status().type();
    snapshot[item.path().string().substr(root.string().size() + 1)] = {
        type, st.st_ino, type == fs::file_type::regular ? test::ReadBytes(item.path()) : Bytes{}};
    if (type == fs::file_type::directory) Add(item.path(), root, snapshot);
  }
}

Snapshot Take(const TempFolder& f) {
  Snapshot snapshot;
  Add(f.path(), f.path(), snapshot);
  return snapshot;
}

struct Switches {
  int Symlinks;
  int Hardlinks;
  int Regular;
  int Fifos;
};

// The four switches set while it lives. They bind root too, so the test
// looks at the files only without them.
class Protections {
 public:
  explicit Protections(const Switches& switches)
      : m_Applied(m_Symlinks.Set(switches.Symlinks) && m_Hardlinks.Set(switches.Hardlinks) &&
                  m_Regular.Set(switches.Regular) && m_Fifos.Set(switches.Fifos)) {}
  bool Applied() const { return m_Applied; }

 private:
  Sysctl m_Symlinks{"protected_symlinks"};
  Sysctl m_Hardlinks{"protected_hardlinks"};
  Sysctl m_Regular{"protected_regular"};
  Sysctl m_Fifos{"protected_fifos"};
  bool m_Applied;
};
const Switches Debian{1, 1, 2, 1};  // Debian 12's defaults

enum class Kind { File, Fifo };

struct HostileCase {
  const char* Name;
  Switches Protection;
  // Plants what the path "tmp/cab.qos" or "group/cab.qos" finds.
  std::function<void(const TempFolder&)> Plant;
  const char* Path;
  Kind Planted;
  bool Refused;                      // with EACCES; else written
  std::vector<std::string> Changed;  // the names that hold the new bytes afterwards, when written
};

void PrintTo(const HostileCase& row, std::ostream* os) { *os << row.Name; }

class HostileUserTest : public testing::TestWithParam<HostileCase> {};

// The export is refused exactly where the kernel refuses a plain create of the
// path, and then changes nothing; where it writes, it writes only the file the
// path leads to, and leaves no temporary file.
TEST_P(HostileUserTest, WritesOnlyWhereAPlainCreateIsAllowed) {
  const HostileCase& row = GetParam();
  if (!test::IsRoot()) GTEST_SKIP() << "a second user's files can be planted only as root";
  TempFolder folder;
  test::Chmod(folder.path(), 0755);
  Folder(folder, "tmp", 01777, 0);
  Folder(folder, "group", 01771, 0);
  Folder(folder, "home", 0755, Victim);
  FileOf(folder, "home/precious.qos", OldBytes, 0644, Victim);
  row.Plant(folder);
  const std::string path = folder / row.Path;
  // Another user reading the FIFO, waiting for what is written there.
  const int reader = row.Planted == Kind::Fifo ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK) : -1;
  const Snapshot before = Take(folder);

  int code = 0;
  {
    const Protections protections(row.Protection);
    if (!protections.Applied()) GTEST_SKIP() << "the fs.protected_* switches cannot be set on this machine";
    code = test::RunInChild(true, [&] {
      const FileWriteResult result = WriteSettingsFile(path, NewImage());
      if (result.Outcome == FileWriteOutcome::OpenFailed && result.Error == EACCES) return 1;
      return result.Outcome == FileWriteOutcome::Ok ? 0 : 2;
    });
  }

  EXPECT_EQ(code, row.Refused ? 1 : 0);
  Snapshot expected = before;
  for (const std::string& name : row.Changed) expected[name].Content = NewBytes;
  EXPECT_EQ(Take(folder), expected);
  if (reader >= 0) {
    Bytes got(64);
    const ssize_t n = ::read(reader, got.data(), got.size());
    got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    EXPECT_EQ(got, row.Refused ? Bytes{} : NewBytes);
    ::close(reader);
  }
}

void PlantedFile(const TempFolder& f, const std::string& name) { FileOf(f, name, OldBytes, 0666, OtherUser); }

void PlantedFifo(const TempFolder& f) {
  Check(::mkfifo((f / "tmp/cab.qos").c_str(), 0666) == 0, "mkfifo");
  test::Own(f / "tmp/cab.qos", OtherUser);
  test::Chmod(f / "tmp/cab.qos", 0666);
}

void PlantedLink(const TempFolder& f, const std::string& target) {
  fs::create_symlink(f / target, f / "tmp/cab.qos");
  test::Own(f / "tmp/cab.qos", OtherUser);
}

// A file of a third user that everybody may write, linked into the folder
// (fs.protected_hardlinks lets whoever may write it make the link).
void HardLinkedFile(const TempFolder& f) {
  FileOf(f, "home/shared.qos", OldBytes, 0666, ThirdUser);
  fs::create_hard_link(f / "home/shared.qos", f / "tmp/cab.qos");
}

INSTANTIATE_TEST_SUITE_P(
    Plants, HostileUserTest,
    testing::Values(HostileCase{"FileProtected",
                                Debian,
                                [](const TempFolder& f) { PlantedFile(f, "tmp/cab.qos"); },
                                "tmp/cab.qos",
                                Kind::File,
                                true,
                                {}},
                    HostileCase{"FileUnprotected",
                                {1, 1, 0, 1},
                                [](const TempFolder& f) { PlantedFile(f, "tmp/cab.qos"); },
                                "tmp/cab.qos",
                                Kind::File,
                                false,
                                {"tmp/cab.qos"}},
                    HostileCase{"GroupFolderRegular1",
                                {1, 1, 1, 1},
                                [](const TempFolder& f) { PlantedFile(f, "group/cab.qos"); },
                                "group/cab.qos",
                                Kind::File,
                                false,
                                {"group/cab.qos"}},
                    HostileCase{"GroupFolderRegular2",
                                Debian,
                                [](const TempFolder& f) { PlantedFile(f, "group/cab.qos"); },
                                "group/cab.qos",
                                Kind::File,
                                true,
                                {}},
                    HostileCase{"FifoProtected", Debian, PlantedFifo, "tmp/cab.qos", Kind::Fifo, true, {}},
                    HostileCase{"FifoUnprotected", {1, 1, 2, 0}, PlantedFifo, "tmp/cab.qos", Kind::Fifo, false, {}},
                    HostileCase{"LinkToVictimsFileProtected",
                                Debian,
                                [](const TempFolder& f) { PlantedLink(f, "home/precious.qos"); },
                                "tmp/cab.qos",
                                Kind::File,
                                true,
                                {}},
                    HostileCase{"LinkToVictimsFileUnprotected",
                                {0, 1, 2, 1},
                                [](const TempFolder& f) { PlantedLink(f, "home/precious.qos"); },
                                "tmp/cab.qos",
                                Kind::File,
                                false,
                                {"home/precious.qos"}},
                    HostileCase{"LinkToNothingProtected",
                                Debian,
                                [](const TempFolder& f) { PlantedLink(f, "home/new.qos"); },
                                "tmp/cab.qos",
                                Kind::File,
                                true,
                                {}},
                    HostileCase{"HardLinkProtected", Debian, HardLinkedFile, "tmp/cab.qos", Kind::File, true, {}},
                    HostileCase{"HardLinkUnprotected",
                                {1, 1, 0, 1},
                                HardLinkedFile,
                                "tmp/cab.qos",
                                Kind::File,
                                false,
                                {"home/shared.qos", "tmp/cab.qos"}}),
    test::RowName());

// --- Another user watching the folder -----------------------------------------

// Runs body as `user` in a child; returns its pid.
pid_t StartAs(uid_t user, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(20);
    if (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0) ::_exit(125);
    ::_exit(body());
  }
  return pid;
}

int ExitCodeOf(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The watcher opens every file that appears in the folder at once (it spins
// rather than waits, to be as quick as it can) and reads what it can; it
// reports how many files appeared and how many it read bytes from.
int Watch(const std::string& folder, int ready, int stop, int report) {
  const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (watch < 0 || ::inotify_add_watch(watch, folder.c_str(), IN_CREATE) < 0) return 3;
  if (::write(ready, "r", 1) != 1) return 4;
  int appeared = 0;
  int readable = 0;
  pollfd stopped{stop, POLLIN, 0};
  while (::poll(&stopped, 1, 0) == 0) {
    alignas(inotify_event) char events[4096];
    const ssize_t length = ::read(watch, events, sizeof events);
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->len == 0) continue;
      ++appeared;
      const int fd = ::open((folder + "/" + event->name).c_str(), O_RDONLY | O_NONBLOCK);
      if (fd < 0) continue;
      char bytes[64];
      // The bytes may come a moment after the open.
      for (int attempt = 0; attempt < 1000; ++attempt) {
        if (::pread(fd, bytes, sizeof bytes, 0) > 0) {
          ++readable;
          break;
        }
      }
      ::close(fd);
    }
  }
  const int counts[2] = {appeared, readable};
  return ::write(report, counts, sizeof counts) == sizeof counts ? 0 : 5;
}

// The user's private file is replaced by rename; the temporary file is never
// open to another user, however quickly that user opens it.
TEST(WatchingUserTest, NeverReadsTheNewContentOfAPrivateFile) {
  if (!test::IsRoot()) GTEST_SKIP() << "a second user can be played only as root";
  TempFolder folder;
  test::Chmod(folder.path(), 0755);
  const std::string home = Folder(folder, "home", 0755, Victim);
  const std::string file = FileOf(folder, "home/cab.qos", OldBytes, 0600, Victim);

  int ready[2], stop[2], report[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(stop), 0);
  ASSERT_EQ(::pipe(report), 0);
  const pid_t watcher = StartAs(OtherUser, [&] {
    ::close(stop[1]);
    return Watch(home, ready[1], stop[0], report[1]);
  });
  ::close(stop[0]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the watcher did not start";

  constexpr int Exports = 200;
  const int exported = test::RunInChild(true, [&] {
    ::umask(022);
    for (int i = 0; i < Exports; ++i) {
      if (WriteSettingsFile(file, NewImage()).Outcome != FileWriteOutcome::Ok) return 1;
    }
    return 0;
  });
  ::close(stop[1]);
  EXPECT_EQ(ExitCodeOf(watcher), 0);
  int counts[2] = {0, 0};
  ASSERT_EQ(::read(report[0], counts, sizeof counts), static_cast<ssize_t>(sizeof counts));

  EXPECT_EQ(exported, 0);
  EXPECT_EQ(test::ReadBytes(file), NewBytes);
  EXPECT_GT(counts[0], 0) << "the watcher saw no temporary file appear";
  EXPECT_EQ(counts[1], 0) << "another user read a temporary file";
  for (int* ends : {ready, report}) {
    ::close(ends[0]);
    ::close(ends[1]);
  }
}

}  // namespace
}  // namespace qor
