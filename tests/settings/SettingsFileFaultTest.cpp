// An export that fails only when the data is flushed, the file closed or the
// temporary file renamed must report the failure and keep the old file; one
// that a signal interrupts leaves the old file or the new one whole, and no
// temporary file.

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "tests/support/RowName.h"

namespace {

enum class InjectedFault { None, Flush, Close, Rename };

// The next call of the armed kind fails once.
InjectedFault armed = InjectedFault::None;
bool fired = false;

bool Take(InjectedFault fault) {
  if (armed != fault) return false;
  armed = InjectedFault::None;
  fired = true;
  return true;
}

// A signal raised at the given step of an export: each wrapped call is a
// step. The call it was raised in is told to the parent through `signalReport`.
int signalToRaise = 0;
int stepsBeforeSignal = -1;
int signalReport = -1;

void Step(const char* call) {
  if (stepsBeforeSignal < 0 || stepsBeforeSignal-- > 0) return;
  if (::write(signalReport, call, std::strlen(call)) < 0) std::abort();
  ::raise(signalToRaise);
}

}  // namespace

extern "C" {
int __real_fsync(int fd);
int __real_close(int fd);
int __real_renameat(int fromFolder, const char* from, int toFolder, const char* to);
int __real_openat(int folder, const char* path, int flags, mode_t mode);
int __real_fchmod(int fd, mode_t mode);
ssize_t __real_write(int fd, const void* bytes, size_t count);
off_t __real_lseek(int fd, off_t offset, int whence);
int __real_ftruncate(int fd, off_t length);

int __wrap_fsync(int fd) {
  Step("fsync");
  if (!Take(InjectedFault::Flush)) return __real_fsync(fd);
  errno = EIO;
  return -1;
}

// Like a failing close of the kernel, the descriptor is released all the same.
int __wrap_close(int fd) {
  Step("close");
  if (!Take(InjectedFault::Close)) return __real_close(fd);
  __real_close(fd);
  errno = EIO;
  return -1;
}

int __wrap_renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  Step("renameat");
  if (!Take(InjectedFault::Rename)) return __real_renameat(fromFolder, from, toFolder, to);
  errno = EIO;
  return -1;
}

int __wrap_openat(int folder, const char* path, int flags, mode_t mode) {
  Step("openat");
  return __real_openat(folder, path, flags, mode);
}

int __wrap_fchmod(int fd, mode_t mode) {
  Step("fchmod");
  return __real_fchmod(fd, mode);
}

ssize_t __wrap_write(int fd, const void* bytes, size_t count) {
  Step("write");
  return __real_write(fd, bytes, count);
}

off_t __wrap_lseek(int fd, off_t offset, int whence) {
  Step("lseek");
  return __real_lseek(fd, offset, whence);
}

int __wrap_ftruncate(int fd, off_t length) {
  Step("ftruncate");
  return __real_ftruncate(fd, length);
}
}

namespace qor {
namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using FolderEntries = std::map<std::string, fs::file_type>;

const Bytes OldBytes(40, 0x5A);

SettingsReport NewImage() {
  SettingsReport image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i + 1);
  return image;
}

struct FaultCase {
  const char* Name;
  InjectedFault Fault;
  bool ExistingFile;
  FileWriteOutcome Expected;
};

void PrintTo(const FaultCase& row, std::ostream* os) { *os << row.Name; }

class ExportFaultTest : public testing::TestWithParam<FaultCase> {
 protected:
  void TearDown() override { armed = InjectedFault::None; }
};

TEST_P(ExportFaultTest, LateFailureIsReportedAndTheOldFileKept) {
  const FaultCase& row = GetParam();
  test::TempFolder folder;
  const std::string path = folder / "old.qos";
  if (row.ExistingFile) folder.Write("old.qos", OldBytes);

  fired = false;
  armed = row.Fault;
  const FileWriteOutcome outcome = WriteSettingsFile(path, NewImage()).Outcome;
  armed = InjectedFault::None;

  EXPECT_EQ(fired, row.Fault != InjectedFault::None) << "the export never reached the failing call";
  EXPECT_EQ(outcome, row.Expected);
  const bool written = row.Expected == FileWriteOutcome::Ok;
  if (written || row.ExistingFile) {
    EXPECT_EQ(folder.Entries(), (FolderEntries{{"old.qos", fs::file_type::regular}}));
    const SettingsReport image = NewImage();
    EXPECT_EQ(test::ReadBytes(path), written ? Bytes(image.begin(), image.end()) : OldBytes);
  } else {
    EXPECT_EQ(folder.Entries(), FolderEntries{});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExportFaultTest,
    testing::Values(FaultCase{"NoFault", InjectedFault::None, true, FileWriteOutcome::Ok},
                    FaultCase{"FlushFailsOverFile", InjectedFault::Flush, true, FileWriteOutcome::WriteFailed},
                    FaultCase{"CloseFailsOverFile", InjectedFault::Close, true, FileWriteOutcome::WriteFailed},
                    FaultCase{"RenameFailsOverFile", InjectedFault::Rename, true, FileWriteOutcome::WriteFailed},
                    FaultCase{"FlushFailsNewFile", InjectedFault::Flush, false, FileWriteOutcome::WriteFailed},
                    FaultCase{"CloseFailsNewFile", InjectedFault::Close, false, FileWriteOutcome::WriteFailed}),
    test::RowName());

// A device is written in place; its close is the last point a failure shows.
TEST(ExportFaultOnDeviceTest, FailingCloseOfADeviceIsAFailure) {
  fired = false;
  armed = InjectedFault::Close;
  const FileWriteOutcome outcome = WriteSettingsFile("/dev/null", NewImage()).Outcome;
  armed = InjectedFault::None;
  EXPECT_TRUE(fired);
  EXPECT_EQ(outcome, FileWriteOutcome::WriteFailed);
}

// --- Signals at each step -----------------------------------------------------

enum class Road { Rename, InPlace, NewFile };

struct SignalCase {
  const char* Name;
  int Signal;
  Road Way;
};

void PrintTo(const SignalCase& row, std::ostream* os) { *os << row.Name; }

class ExportSignalTest : public testing::TestWithParam<SignalCase> {};

// The call after which the new bytes are in place: from there on the export
// completes before the signal takes its course.
const char* CommitCall(Road way) { return way == Road::Rename ? "renameat" : "write"; }

// The signal ends the program, as it would have without the export; the file
// holds its old bytes when the signal came before the commit, else the new
// ones, and no temporary file is left.
TEST_P(ExportSignalTest, LeavesTheOldOrTheNewFileWholeAndNoTemporaryFile) {
  const SignalCase& row = GetParam();
  const Bytes newBytes = [] {
    const SettingsReport image = NewImage();
    return Bytes(image.begin(), image.end());
  }();
  bool finished = false;
  bool committed = false;
  for (int step = 0; !finished && step < 40; ++step) {
    SCOPED_TRACE("signal at step " + std::to_string(step));
    test::TempFolder folder;
    const std::string path = folder / "old.qos";
    if (row.Way != Road::NewFile) folder.Write("old.qos", OldBytes);
    if (row.Way == Road::InPlace) fs::create_hard_link(path, folder / "link.qos");
    const FolderEntries entries = folder.Entries();

    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(report[0]);
      signalToRaise = row.Signal;
      signalReport = report[1];
      stepsBeforeSignal = step;
      const FileWriteResult result = WriteSettingsFile(path, NewImage());
      ::_exit(result.Outcome == FileWriteOutcome::Ok ? 0 : 1);
    }
    ::close(report[1]);
    char call[32] = {};
    const ssize_t length = ::read(report[0], call, sizeof call - 1);
    ::close(report[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    if (length <= 0) {
      // Every step passed without a signal: the export is done.
      finished = true;
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.Signal) << "raised in " << call;
    }
    // A signal raised in the commit call itself comes after the last look.
    if (length > 0 && std::strcmp(call, CommitCall(row.Way)) == 0) committed = true;
    const bool beforeCommit = length > 0 && !committed;

    FolderEntries expectedEntries = entries;
    if (row.Way == Road::NewFile && !beforeCommit) expectedEntries["old.qos"] = fs::file_type::regular;
    EXPECT_EQ(folder.Entries(), expectedEntries) << "raised in " << call;
    if (row.Way != Road::NewFile || !beforeCommit) {
      EXPECT_EQ(test::ReadBytes(path), beforeCommit ? OldBytes : newBytes) << "raised in " << call;
    }
  }
  EXPECT_TRUE(finished);
}

INSTANTIATE_TEST_SUITE_P(Signals, ExportSignalTest,
                         testing::Values(SignalCase{"InterruptWhileRenaming", SIGINT, Road::Rename},
                                         SignalCase{"TerminateWhileRenaming", SIGTERM, Road::Rename},
                                         SignalCase{"HangUpWhileRenaming", SIGHUP, Road::Rename},
                                         SignalCase{"InterruptInPlace", SIGINT, Road::InPlace},
                                         SignalCase{"TerminateNewFile", SIGTERM, Road::NewFile}),
                         test::RowName());

}  // namespace
}  // namespace qor
