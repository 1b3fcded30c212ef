// What an export leaves on disk where replacing the file by a new one would
// change more than its content, and where the path leads to a file through
// a descriptor or another /proc link.

#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FileOwners.h"
#include "TempFolder.h"
#include "tests/support/RowName.h"

namespace qor {
namespace {
namespace fs = std::filesystem;
using test::Bytes;
using test::TempFolder;

using test::Check;
using test::Chmod;
using test::ExportingUser;
using test::Folder;
using test::IsRoot;
using test::OtherUser;
using test::Own;

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

std::string OldFile(const TempFolder& f, const std::string& name, mode_t mode, uid_t user) {
  return test::FileOf(f, name, OldBytes, mode, user);
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
    testing::Values(ReplaceCase{"SecondHardLinkSeesTheNewContent",
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

// --- Paths through descriptors and /proc links ------------------------------

enum class Opened { None, Pipe, Appending, Truncated, ReadWrite, ReadOnly };
enum class Expect { Exactly33, AppendedToLog, PipeGetsThem };

struct DescriptorCase {
  const char* Name;
  std::string Path;  // "DIR" stands for the test's folder
  int Fd;            // the descriptor the log is opened on in the exporting process; -1: none
  Opened How;
  Expect Result;
};

void PrintTo(const DescriptorCase& row, std::ostream* os) { *os << row.Name; }

int OpenFlagsFor(Opened how) {
  switch (how) {
    case Opened::Appending:
      return O_WRONLY | O_APPEND;
    case Opened::Truncated:
      return O_WRONLY | O_TRUNC;
    case Opened::ReadWrite:
      return O_RDWR;
    default:
      return O_RDONLY;
  }
}

class DescriptorPathTest : public testing::TestWithParam<DescriptorCase> {};

// Only standard output and error are written as they are open; any other
// regular file the path leads to holds exactly the 33 bytes afterwards.
TEST_P(DescriptorPathTest, WritesTheStreamAsOpenAndAnyOtherFileWhole) {
  const DescriptorCase& row = GetParam();
  TempFolder folder;
  const std::string log = folder / "app.log";
  folder.Write("app.log", OldBytes);
  std::string path = row.Path;
  if (const auto at = path.find("DIR"); at != std::string::npos) path.replace(at, 3, folder.path().string());
  if (row.Path == "LINK") {
    path = folder / "out";
    fs::create_symlink("/dev/stdout", path);
  }

  int pipeEnds[2] = {-1, -1};
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const int code = test::RunInChild(false, [&] {
    const int opened = row.How == Opened::Pipe ? pipeEnds[1] : ::open(log.c_str(), OpenFlagsFor(row.How));
    if (opened < 0 || (row.Fd >= 0 && ::dup2(opened, row.Fd) < 0)) return 99;
    if (::chdir(folder.path().c_str()) != 0) return 98;
    return static_cast<int>(WriteSettingsFile(path, NewImage()).Outcome);
  });
  ::close(pipeEnds[1]);

  EXPECT_EQ(code, static_cast<int>(Ok));
  Bytes piped(100);
  const ssize_t n = ::read(pipeEnds[0], piped.data(), piped.size());
  ::close(pipeEnds[0]);
  piped.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  Bytes appended = OldBytes;
  appended.insert(appended.end(), NewBytes.begin(), NewBytes.end());
  EXPECT_EQ(piped, row.Result == Expect::PipeGetsThem ? NewBytes : Bytes{});
  EXPECT_EQ(test::ReadBytes(log), row.Result == Expect::Exactly33       ? NewBytes
                                  : row.Result == Expect::AppendedToLog ? appended
                                                                        : OldBytes);
  EXPECT_EQ(folder.Entries().size(), row.Path == "LINK" ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DescriptorPathTest,
    testing::Values(DescriptorCase{"DevStdoutToPipe", "/dev/stdout", 1, Opened::Pipe, Expect::PipeGetsThem},
                    DescriptorCase{"DevStdoutAppended", "/dev/stdout", 1, Opened::Appending, Expect::AppendedToLog},
                    DescriptorCase{"ProcFdAppended", "/proc/self/fd/1", 1, Opened::Appending, Expect::AppendedToLog},
                    DescriptorCase{"LinkToStdoutAppended", "LINK", 1, Opened::Appending, Expect::AppendedToLog},
                    DescriptorCase{"DevStderrAppended", "/dev/stderr", 2, Opened::Appending, Expect::AppendedToLog},
                    DescriptorCase{"LogNamedAsStdoutIs", "DIR/app.log", 1, Opened::Appending, Expect::AppendedToLog},
                    DescriptorCase{"DevFdTruncated", "/dev/fd/1", 1, Opened::Truncated, Expect::Exactly33},
                    DescriptorCase{"DevStdinReadOnly", "/dev/stdin", 0, Opened::ReadOnly, Expect::Exactly33},
                    DescriptorCase{"OtherFdReadWrite", "/dev/fd/3", 3, Opened::ReadWrite, Expect::Exactly33},
                    DescriptorCase{"OtherFdAppending", "/proc/self/fd/3", 3, Opened::Appending, Expect::Exactly33},
                    DescriptorCase{"StdoutReadOnly", "/dev/stdout", 1, Opened::ReadOnly, Expect::Exactly33},
                    DescriptorCase{"ProcSelfCwd", "/proc/self/cwd/app.log", -1, Opened::None, Expect::Exactly33},
                    DescriptorCase{"ProcSelfRoot", "/proc/self/rootDIR/app.log", -1, Opened::None, Expect::Exactly33}),
    test::RowName());

}  // namespace
}  // namespace qor
