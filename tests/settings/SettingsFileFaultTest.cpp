// An export that fails only when the data is flushed, the file closed or the
// temporary file renamed must report the failure and keep the old file.

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
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

}  // namespace

extern "C" {
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags);

int __wrap_fsync(int fd) {
  if (!Take(InjectedFault::Flush)) return __real_fsync(fd);
  errno = EIO;
  return -1;
}

// Like a failing close of the kernel, the descriptor is released all the same.
int __wrap_close(int fd) {
  if (!Take(InjectedFault::Close)) return __real_close(fd);
  __real_close(fd);
  errno = EIO;
  return -1;
}

int __wrap_rename(const char* from, const char* to) {
  if (!Take(InjectedFault::Rename)) return __real_rename(from, to);
  errno = EIO;
  return -1;
}

// A new file takes its place with a rename that replaces nothing.
int __wrap_renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
  if (!Take(InjectedFault::Rename)) return __real_renameat2(fromFolder, from, toFolder, to, flags);
  errno = EIO;
  return -1;
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
                    FaultCase{"CloseFailsNewFile", InjectedFault::Close, false, FileWriteOutcome::WriteFailed},
                    FaultCase{"RenameFailsNewFile", InjectedFault::Rename, false, FileWriteOutcome::WriteFailed}),
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

}  // namespace
}  // namespace qor
