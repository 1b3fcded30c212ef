// What an export leaves on disk where replacing the file by a new one would
// change more than its content, where a link was planted by someone else, and
// where the path leads to standard output.

#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempFolder.h"
#include "tests/support/RowName.h"

namespace qor {
namespace {
namespace fs = std::filesystem;
using test::TempFolder;
using Bytes = std::vector<std::uint8_t>;

constexpr uid_t OtherUser = test::UnprivilegedId - 1;  // owns what the exporting user does not
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

bool IsRoot() { return ::geteuid() == 0; }
// The user the export runs as: the unprivileged user under root, else whoever runs the tests.
uid_t ExportingUser() { return IsRoot() ? test::UnprivilegedId : ::geteuid(); }

void Check(bool done, const std::string& what) {
  if (!done) throw std::runtime_error(what + " failed");
}

void Own(const std::string& path, uid_t user) {
  if (IsRoot()) Check(::lchown(path.c_str(), user, user) == 0, "lchown " + path);
}

void Chmod(const std::string& path, mode_t mode) { Check(::chmod(path.c_str(), mode) == 0, "chmod " + path); }

// A folder (mode given) owned by `user`.
std::string Folder(const TempFolder& f, const std::string& name, mode_t mode, uid_t user) {
  fs::create_directories(f / name);
  Own(f / name, user);
  Chmod(f / name, mode);
  return f / name;
}

// A file with the old bytes, its mode and owner.
std::string OldFile(const TempFolder& f, const std::string& name, mode_t mode, uid_t user) {
  f.Write(name, OldBytes);
  Own(f / name, user);
  Chmod(f / name, mode);
  return f / name;
}

void SetFacl(const std::string& arguments) {
  Check(std::system(("setfacl " + arguments).c_str()) == 0, "setfacl " + arguments + " (the acl package)");
}

bool HasAcl(const std::string& path) { return ::getxattr(path.c_str(), "system.posix_acl_access", nullptr, 0) > 0; }

using FolderEntries = std::map<std::string, fs::file_type>;

void AddEntries(const fs::path& folder, const std::string& prefix, FolderEntries& entries) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    const fs::file_type type = fs::symlink_status(entry.path()).type();
    const std::string name = prefix + entry.path().filename().string();
    entries[name] = type;
    if (type == fs::file_type::directory) AddEntries(entry.path(), name + "/", entries);
  }
}

// Every name under the folder with its type; links are not followed.
FolderEntries AllEntries(const TempFolder& f) {
  FolderEntries entries;
  AddEntries(f.path(), "", entries);
  return entries;
}

// --- The export as an ordinary user: outcome and file afterwards ------------

enum class ContentAfter { New, Old };

struct ReplaceCase {
  const char* Name;
  std::function<std::string(const TempFolder&)> Arrange;  // returns the path to export to
  FileWriteOutcome Expected;
  std::string CheckedFile;  // relative to the folder
  ContentAfter Content;
  mode_t Mode;
  bool OwnedByOther;  // else by the exporting user
  nlink_t Links;
  bool Acl;        // the file carries an ACL afterwards
  bool NeedsRoot;  // sets up files of another user
};

void PrintTo(const ReplaceCase& row, std::ostream* os) { *os << row.Name; }

class ReplaceTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTest, FileKeepsEverythingButItsContentAndNoTemporaryFileStays) {
  const ReplaceCase& row = GetParam();
  if (row.NeedsRoot && !IsRoot()) GTEST_SKIP() << "files of another user can be set up only as root";
  TempFolder folder;
  folder.HandToUnprivilegedUser();
  const std::string path = row.Arrange(folder);
  auto entries = AllEntries(folder);
  entries.emplace(row.CheckedFile, fs::file_type::regular);  // a new file may appear, nothing else

  const int code = test::RunInChild(true, [&] {
    ::umask(022);
    return static_cast<int>(WriteSettingsFile(path, NewImage()).Outcome);
  });

  EXPECT_EQ(code, static_cast<int>(row.Expected));
  EXPECT_EQ(AllEntries(folder), entries);
  const std::string file = folder / row.CheckedFile;
  EXPECT_EQ(test::ReadBytes(file), row.Content == ContentAfter::New ? NewBytes : OldBytes);
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, row.Mode);
  EXPECT_EQ(st.st_uid, row.OwnedByOther ? OtherUser : ExportingUser());
  EXPECT_EQ(st.st_nlink, row.Links);
  EXPECT_EQ(HasAcl(file), row.Acl);
}

std::string NameOf(std::size_t length) { return std::string(length - 4, 'n') + ".qos"; }

constexpr auto Ok = FileWriteOutcome::Ok;
constexpr auto OpenFailed = FileWriteOutcome::OpenFailed;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTest,
    testing::Values(ReplaceCase{"OtherUsersWritableFileInStickyFolder",
                                [](const TempFolder& f) {
                                  Folder(f, "tmp", 01777, 0);
                                  return OldFile(f, "tmp/cab.qos", 0666, OtherUser);
                                },
                                Ok, "tmp/cab.qos", ContentAfter::New, 0666, true, 1, false, true},
                    ReplaceCase{"SecondHardLinkSeesTheNewContent",
                                [](const TempFolder& f) {
                                  const std::string path = OldFile(f, "cab.qos", 0640, ExportingUser());
                                  fs::create_hard_link(path, f / "copy.qos");
                                  return path;
                                },
                                Ok, "copy.qos", ContentAfter::New, 0640, false, 2, false, false},
                    ReplaceCase{"FileWithAclKeepsIt",
                                [](const TempFolder& f) {
                                  const std::string path = OldFile(f, "cab.qos", 0640, ExportingUser());
                                  SetFacl("-m u:" + std::to_string(OtherUser) + ":r " + path);
                                  return path;
                                },
                                Ok, "cab.qos", ContentAfter::New, 0640, false, 1, true, false},
                    // A new file gets what a plain create gives there: the default ACL
                    // overrides the umask.
                    ReplaceCase{"NewFileInDefaultAclFolder",
                                [](const TempFolder& f) {
                                  const std::string folder = Folder(f, "shared", 0770, ExportingUser());
                                  SetFacl("-d -m u::rw,g::rw,o::- " + folder);
                                  return f / "shared/cab.qos";
                                },
                                Ok, "shared/cab.qos", ContentAfter::New, 0660, false, 1, false, false},
                    // A temporary file there would carry an ACL the file does not have.
                    ReplaceCase{"FileWithoutAclInDefaultAclFolder",
                                [](const TempFolder& f) {
                                  const std::string folder = Folder(f, "shared", 0770, ExportingUser());
                                  const std::string path = OldFile(f, "shared/cab.qos", 0604, ExportingUser());
                                  SetFacl("-d -m u:" + std::to_string(OtherUser) + ":r " + folder);
                                  return path;
                                },
                                Ok, "shared/cab.qos", ContentAfter::New, 0604, false, 1, false, false},
                    ReplaceCase{"NewName247Bytes", [](const TempFolder& f) { return f / NameOf(247); }, Ok, NameOf(247),
                                ContentAfter::New, 0644, false, 1, false, false},
                    ReplaceCase{"NewName248Bytes", [](const TempFolder& f) { return f / NameOf(248); }, Ok, NameOf(248),
                                ContentAfter::New, 0644, false, 1, false, false},
                    ReplaceCase{"NewName255Bytes", [](const TempFolder& f) { return f / NameOf(255); }, Ok, NameOf(255),
                                ContentAfter::New, 0644, false, 1, false, false},
                    ReplaceCase{"ExistingName255Bytes",
                                [](const TempFolder& f) { return OldFile(f, NameOf(255), 0600, ExportingUser()); }, Ok,
                                NameOf(255), ContentAfter::New, 0600, false, 1, false, false}),
    test::RowName());

// --- A link planted by another user in a sticky folder ------------------------

// Sets a kernel switch for the test and restores it afterwards.
class Sysctl {
 public:
  explicit Sysctl(std::string path) : m_Path(std::move(path)) {
    std::ifstream in(m_Path);
    m_Ok = static_cast<bool>(in >> m_Saved);
  }
  ~Sysctl() {
    if (m_Changed) Write(m_Saved);
  }
  Sysctl(const Sysctl&) = delete;
  Sysctl& operator=(const Sysctl&) = delete;

  bool Set(const std::string& value) {
    m_Changed = m_Ok && Write(value);
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

// The kernel refuses to follow the link, so the export is refused, as root
// and as an ordinary user, and the link's target keeps its content and inode.
TEST(PlantedLinkTest, IsRefusedAndItsTargetUntouched) {
  if (!IsRoot()) GTEST_SKIP() << "a link of another user and fs.protected_symlinks can be set up only as root";
  Sysctl protection("/proc/sys/fs/protected_symlinks");
  if (!protection.Set("1")) GTEST_SKIP() << "fs.protected_symlinks cannot be set on this machine";

  for (const bool asRoot : {true, false}) {
    SCOPED_TRACE(asRoot ? "as root" : "as an ordinary user");
    TempFolder folder;
    folder.HandToUnprivilegedUser();
    Folder(folder, "tmp", 01777, 0);
    const std::string precious = OldFile(folder, "precious.txt", 0644, test::UnprivilegedId);
    fs::create_symlink(precious, folder / "tmp/cabinet.qos");
    Own(folder / "tmp/cabinet.qos", OtherUser);
    struct stat before {};
    ASSERT_EQ(::stat(precious.c_str(), &before), 0);

    const int code = test::RunInChild(!asRoot, [&] {
      const FileWriteResult result = WriteSettingsFile(folder / "tmp/cabinet.qos", NewImage());
      return result.Outcome == OpenFailed && result.Error == EACCES ? 0 : 1;
    });

    EXPECT_EQ(code, 0);
    struct stat after {};
    ASSERT_EQ(::stat(precious.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(test::ReadBytes(precious), OldBytes);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "tmp/cabinet.qos")));
    EXPECT_EQ(AllEntries(folder).size(), 3u);
  }
}

// --- Standard output through its names ----------------------------------------

// Makes the kernel answer openat2 with `error` in this process from now on,
// as a kernel before 5.6 (ENOSYS) or an older container's filter (EPERM) does.
bool WithoutOpenat2(int error) {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat2, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (static_cast<unsigned>(error) & SECCOMP_RET_DATA)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

enum class OutputKind { Pipe, AppendedFile, TruncatedFile };

struct OutputCase {
  const char* Name;
  const char* Path;  // "LINK": a link in the test's folder to /dev/stdout
  OutputKind Output;
  int Openat2Error;  // not 0: the kernel answers openat2 so, as an older one or a sandbox does
};

void PrintTo(const OutputCase& row, std::ostream* os) { *os << row.Name; }

class StandardOutputTest : public testing::TestWithParam<OutputCase> {};

// The path is written as given: a pipe gets the bytes, a log opened with
// ">>" gets them added at its end, a file opened with ">" holds them alone.
TEST_P(StandardOutputTest, GetsTheBytesWhereTheShellPointedIt) {
  const OutputCase& row = GetParam();
  TempFolder folder;
  const std::string log = folder / "app.log";
  const Bytes logLine = {'s', 't', 'a', 'r', 't', '\n'};
  folder.Write("app.log", logLine);

  int pipeEnds[2] = {-1, -1};
  int output = -1;
  if (row.Output == OutputKind::Pipe) {
    ASSERT_EQ(::pipe(pipeEnds), 0);
    output = pipeEnds[1];
  } else {
    output = ::open(log.c_str(), O_WRONLY | (row.Output == OutputKind::AppendedFile ? O_APPEND : O_TRUNC));
  }
  ASSERT_GE(output, 0);

  const std::string path = row.Path == std::string("LINK") ? folder / "out" : row.Path;
  if (path != row.Path) fs::create_symlink("/dev/stdout", path);

  const int code = test::RunInChild(false, [&] {
    if (::dup2(output, STDOUT_FILENO) < 0) return 99;
    if (row.Openat2Error != 0 && !WithoutOpenat2(row.Openat2Error)) return 98;
    return static_cast<int>(WriteSettingsFile(path, NewImage()).Outcome);
  });
  if (code == 98) GTEST_SKIP() << "a seccomp filter cannot be set here";
  ::close(output);

  EXPECT_EQ(code, static_cast<int>(Ok));
  Bytes expected = NewBytes;
  if (row.Output == OutputKind::Pipe) {
    Bytes got(100);
    const ssize_t n = ::read(pipeEnds[0], got.data(), got.size());
    ::close(pipeEnds[0]);
    got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    EXPECT_EQ(got, expected);
  } else {
    if (row.Output == OutputKind::AppendedFile) expected.insert(expected.begin(), logLine.begin(), logLine.end());
    EXPECT_EQ(test::ReadBytes(log), expected);
  }
  EXPECT_EQ(folder.Entries().size(), path == row.Path ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Paths, StandardOutputTest,
                         testing::Values(OutputCase{"DevStdoutToPipe", "/dev/stdout", OutputKind::Pipe, 0},
                                         OutputCase{"DevStdoutAppended", "/dev/stdout", OutputKind::AppendedFile, 0},
                                         OutputCase{"ProcFdAppended", "/proc/self/fd/1", OutputKind::AppendedFile, 0},
                                         OutputCase{"DevFdTruncated", "/dev/fd/1", OutputKind::TruncatedFile, 0},
                                         // The links on the way tell a descriptor link apart.
                                         OutputCase{"OlderKernelAppended", "LINK", OutputKind::AppendedFile, ENOSYS},
                                         OutputCase{"SandboxAppended", "/dev/stdout", OutputKind::AppendedFile, EPERM}),
                         test::RowName());

}  // namespace
}  // namespace qor
