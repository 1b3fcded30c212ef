#include "settings/SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
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
using FolderEntries = std::map<std::string, fs::file_type>;
using Bytes = std::vector<std::uint8_t>;

constexpr auto Regular = fs::file_type::regular;
constexpr auto Directory = fs::file_type::directory;
constexpr auto Symlink = fs::file_type::symlink;
constexpr auto Fifo = fs::file_type::fifo;

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + 7 * i);
  return bytes;
}

SettingsReport ImageOf(const Bytes& bytes) {
  SettingsReport image{};
  std::copy_n(bytes.begin(), image.size(), image.begin());
  return image;
}

Bytes BytesOf(const SettingsReport& image) { return Bytes(image.begin(), image.end()); }

const Bytes FileBytes = Pattern(SettingsReportSize, 3);  // a settings file on disk
const Bytes OldBytes(40, 0x5A);                          // a file an export replaces
const SettingsReport NewImage = ImageOf(Pattern(SettingsReportSize, 101));
constexpr std::uint8_t Untouched = 0xAA;

mode_t PermissionsOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void Chmod(const std::string& path, mode_t mode) {
  if (::chmod(path.c_str(), mode) != 0) throw std::runtime_error("chmod failed for " + path);
}

void MakeFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0666) != 0) throw std::runtime_error("mkfifo failed for " + path);
}

// --- Reading: the file's length decides -----------------------------------

struct SizeCase {
  const char* Name;
  std::size_t Size;
  FileReadOutcome Expected;
};

void PrintTo(const SizeCase& row, std::ostream* os) { *os << row.Name; }

class ReadBySizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(ReadBySizeTest, OnlyTheFirst33BytesCountAndAShortFileChangesNothing) {
  const SizeCase& row = GetParam();
  TempFolder folder;
  const Bytes content = Pattern(row.Size, 9);
  folder.Write("file.qos", content);
  SettingsReport image{};
  image.fill(Untouched);

  EXPECT_EQ(ReadSettingsFile(folder / "file.qos", image).Outcome, row.Expected);

  SettingsReport expected{};
  expected.fill(Untouched);
  if (row.Expected == FileReadOutcome::Ok) expected = ImageOf(content);
  EXPECT_EQ(image, expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadBySizeTest,
                         testing::Values(SizeCase{"Empty", 0, FileReadOutcome::Corrupt},
                                         SizeCase{"OneByteShort", 32, FileReadOutcome::Corrupt},
                                         SizeCase{"Exact", 33, FileReadOutcome::Ok},
                                         SizeCase{"OneByteOver", 34, FileReadOutcome::Ok},
                                         SizeCase{"Long", 1000, FileReadOutcome::Ok}),
                         test::RowName());

// --- Reading: what the chosen path is ---------------------------------------

struct ReadPathCase {
  const char* Name;
  std::function<std::string(const TempFolder&)> Arrange;  // returns the path to import
  FileReadOutcome Expected;
};

void PrintTo(const ReadPathCase& row, std::ostream* os) { *os << row.Name; }

class ReadPathTest : public testing::TestWithParam<ReadPathCase> {};

// Runs as an unprivileged user, so permission bits apply as they do for a
// user, and in a child, so a path that blocks cannot hang the tests.
TEST_P(ReadPathTest, ImportOpensOnlyWhatItCanRead) {
  const ReadPathCase& row = GetParam();
  TempFolder folder;
  const std::string path = row.Arrange(folder);
  folder.HandToUnprivilegedUser();

  constexpr int ImageWrong = 99;
  const int code = test::RunInChild(true, [&] {
    SettingsReport image{};
    image.fill(Untouched);
    const FileReadOutcome outcome = ReadSettingsFile(path, image).Outcome;
    SettingsReport expected{};
    expected.fill(Untouched);
    if (outcome == FileReadOutcome::Ok) expected = ImageOf(FileBytes);
    return image == expected ? static_cast<int>(outcome) : ImageWrong;
  });

  EXPECT_EQ(code, static_cast<int>(row.Expected));
}

INSTANTIATE_TEST_SUITE_P(Paths, ReadPathTest,
                         testing::Values(ReadPathCase{"Missing", [](const TempFolder& f) { return f / "missing.qos"; },
                                                      FileReadOutcome::OpenFailed},
                                         ReadPathCase{"Directory",
                                                      [](const TempFolder& f) {
                                                        fs::create_directory(f / "sub.qos");
                                                        return f / "sub.qos";
                                                      },
                                                      FileReadOutcome::OpenFailed},
                                         ReadPathCase{"FifoWithoutWriter",
                                                      [](const TempFolder& f) {
                                                        MakeFifo(f / "pipe.qos");
                                                        return f / "pipe.qos";
                                                      },
                                                      FileReadOutcome::OpenFailed},
                                         ReadPathCase{"ReadOnlyFile",
                                                      [](const TempFolder& f) {
                                                        f.Write("file.qos", FileBytes);
                                                        Chmod(f / "file.qos", 0444);
                                                        return f / "file.qos";
                                                      },
                                                      FileReadOutcome::Ok},
                                         ReadPathCase{"UnreadableFile",
                                                      [](const TempFolder& f) {
                                                        f.Write("file.qos", FileBytes);
                                                        Chmod(f / "file.qos", 0200);
                                                        return f / "file.qos";
                                                      },
                                                      FileReadOutcome::OpenFailed},
                                         ReadPathCase{"LinkToFile",
                                                      [](const TempFolder& f) {
                                                        f.Write("file.qos", FileBytes);
                                                        fs::create_symlink("file.qos", f / "link.qos");
                                                        return f / "link.qos";
                                                      },
                                                      FileReadOutcome::Ok},
                                         ReadPathCase{"LinkToNothing",
                                                      [](const TempFolder& f) {
                                                        fs::create_symlink("missing.qos", f / "link.qos");
                                                        return f / "link.qos";
                                                      },
                                                      FileReadOutcome::OpenFailed}),
                         test::RowName());

// --- Writing ----------------------------------------------------------------

enum class ContentAfter { New, Old };

struct WriteCase {
  const char* Name;
  std::function<std::string(const TempFolder&)> Arrange;  // returns the path to export to
  bool Unprivileged;
  mode_t Umask;
  FileWriteOutcome Expected;
  FolderEntries Entries;       // the folder afterwards: no temporary file, links still links
  const char* CheckedFile;     // a file in the folder whose bytes are checked, or nullptr
  ContentAfter Content;        // what that file holds afterwards
  std::optional<mode_t> Mode;  // and its permissions
};

void PrintTo(const WriteCase& row, std::ostream* os) { *os << row.Name; }

class WriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, ExportReplacesWholeOrLeavesEverythingAsItWas) {
  const WriteCase& row = GetParam();
  TempFolder folder;
  const std::string path = row.Arrange(folder);
  if (row.Unprivileged) folder.HandToUnprivilegedUser();

  const int code = test::RunInChild(row.Unprivileged, [&] {
    ::umask(row.Umask);
    return static_cast<int>(WriteSettingsFile(path, NewImage).Outcome);
  });

  EXPECT_EQ(code, static_cast<int>(row.Expected));
  EXPECT_EQ(folder.Entries(), row.Entries);
  if (row.CheckedFile != nullptr) {
    const std::string file = folder / row.CheckedFile;
    EXPECT_EQ(test::ReadBytes(file), row.Content == ContentAfter::New ? BytesOf(NewImage) : OldBytes);
    if (row.Mode) {
      EXPECT_EQ(PermissionsOf(file), *row.Mode);
    }
  }
  // Special files are written in place, never replaced.
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status("/dev/full")));
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status("/dev/null")));
}

std::string Existing(const TempFolder& f, const char* name, mode_t mode) {
  f.Write(name, OldBytes);
  Chmod(f / name, mode);
  return f / name;
}

std::string Link(const TempFolder& f, const char* name, const std::string& target) {
  fs::create_symlink(target, f / name);
  return f / name;
}

std::string LockFolder(const TempFolder& f, std::string path) {
  Chmod(f.path().string(), 0555);
  return path;
}

constexpr auto Ok = FileWriteOutcome::Ok;
constexpr auto OpenFailed = FileWriteOutcome::OpenFailed;
constexpr auto WriteFailed = FileWriteOutcome::WriteFailed;
constexpr bool AsUser = true;  // as the unprivileged user when running as root
constexpr bool AsIs = false;   // as whoever runs the tests

INSTANTIATE_TEST_SUITE_P(
    NewFiles, WriteTest,
    testing::Values(WriteCase{"UsualUmask", [](const TempFolder& f) { return f / "new.qos"; }, AsIs, 022, Ok,
                              FolderEntries{{"new.qos", Regular}}, "new.qos", ContentAfter::New, 0644},
                    WriteCase{"StrictUmask", [](const TempFolder& f) { return f / "new.qos"; }, AsIs, 077, Ok,
                              FolderEntries{{"new.qos", Regular}}, "new.qos", ContentAfter::New, 0600},
                    WriteCase{"OrdinaryUser", [](const TempFolder& f) { return f / "new.qos"; }, AsUser, 027, Ok,
                              FolderEntries{{"new.qos", Regular}}, "new.qos", ContentAfter::New, 0640},
                    WriteCase{"FolderWithoutWritePermission",
                              [](const TempFolder& f) { return LockFolder(f, f / "new.qos"); }, AsUser, 022, OpenFailed,
                              FolderEntries{}, nullptr, ContentAfter::New, std::nullopt},
                    WriteCase{"MissingFolder", [](const TempFolder& f) { return f / "none/new.qos"; }, AsIs, 022,
                              OpenFailed, FolderEntries{}, nullptr, ContentAfter::New, std::nullopt},
                    WriteCase{"EmptyPath", [](const TempFolder&) { return std::string(); }, AsIs, 022, OpenFailed,
                              FolderEntries{}, nullptr, ContentAfter::New, std::nullopt}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    ExistingFiles, WriteTest,
    testing::Values(
        WriteCase{"ReplacedKeepingPermissions", [](const TempFolder& f) { return Existing(f, "old.qos", 0640); }, AsIs,
                  077, Ok, FolderEntries{{"old.qos", Regular}}, "old.qos", ContentAfter::New, 0640},
        WriteCase{"ReplacedByOrdinaryUser", [](const TempFolder& f) { return Existing(f, "old.qos", 0600); }, AsUser,
                  022, Ok, FolderEntries{{"old.qos", Regular}}, "old.qos", ContentAfter::New, 0600},
        WriteCase{"ReadOnlyFileKept", [](const TempFolder& f) { return Existing(f, "old.qos", 0444); }, AsUser, 022,
                  OpenFailed, FolderEntries{{"old.qos", Regular}}, "old.qos", ContentAfter::Old, 0444},
        WriteCase{"FolderWithoutWritePermissionWrittenInPlace",
                  [](const TempFolder& f) { return LockFolder(f, Existing(f, "old.qos", 0644)); }, AsUser, 022, Ok,
                  FolderEntries{{"old.qos", Regular}}, "old.qos", ContentAfter::New, 0644},
        WriteCase{"DirectoryKept",
                  [](const TempFolder& f) {
                    fs::create_directory(f / "sub.qos");
                    return f / "sub.qos";
                  },
                  AsIs, 022, OpenFailed, FolderEntries{{"sub.qos", Directory}}, nullptr, ContentAfter::New,
                  std::nullopt}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    Links, WriteTest,
    testing::Values(
        WriteCase{"ToFile",
                  [](const TempFolder& f) {
                    Existing(f, "real.qos", 0640);
                    return Link(f, "link.qos", "real.qos");
                  },
                  AsIs, 022, Ok, FolderEntries{{"link.qos", Symlink}, {"real.qos", Regular}}, "real.qos",
                  ContentAfter::New, 0640},
        WriteCase{"ToMissingFile", [](const TempFolder& f) { return Link(f, "link.qos", "real.qos"); }, AsIs, 022, Ok,
                  FolderEntries{{"link.qos", Symlink}, {"real.qos", Regular}}, "real.qos", ContentAfter::New, 0644},
        WriteCase{"ThroughAChain",
                  [](const TempFolder& f) {
                    Existing(f, "real.qos", 0600);
                    Link(f, "middle.qos", "real.qos");
                    return Link(f, "link.qos", f / "middle.qos");
                  },
                  AsIs, 022, Ok, FolderEntries{{"link.qos", Symlink}, {"middle.qos", Symlink}, {"real.qos", Regular}},
                  "real.qos", ContentAfter::New, 0600},
        WriteCase{"IntoOtherFolder",
                  [](const TempFolder& f) {
                    fs::create_directory(f / "sub");
                    Existing(f, "sub/real.qos", 0644);
                    return Link(f, "link.qos", "sub/real.qos");
                  },
                  AsIs, 022, Ok, FolderEntries{{"link.qos", Symlink}, {"sub", Directory}}, "sub/real.qos",
                  ContentAfter::New, 0644},
        WriteCase{"InALoop",
                  [](const TempFolder& f) {
                    Link(f, "b.qos", "a.qos");
                    return Link(f, "a.qos", "b.qos");
                  },
                  AsIs, 022, OpenFailed, FolderEntries{{"a.qos", Symlink}, {"b.qos", Symlink}}, nullptr,
                  ContentAfter::New, std::nullopt},
        WriteCase{"ToFullDevice", [](const TempFolder& f) { return Link(f, "link.qos", "/dev/full"); }, AsIs, 022,
                  WriteFailed, FolderEntries{{"link.qos", Symlink}}, nullptr, ContentAfter::New, std::nullopt}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    SpecialFiles, WriteTest,
    testing::Values(WriteCase{"FullDevice", [](const TempFolder&) { return std::string("/dev/full"); }, AsIs, 022,
                              WriteFailed, FolderEntries{}, nullptr, ContentAfter::New, std::nullopt},
                    WriteCase{"NullDevice", [](const TempFolder&) { return std::string("/dev/null"); }, AsIs, 022, Ok,
                              FolderEntries{}, nullptr, ContentAfter::New, std::nullopt},
                    WriteCase{"FifoWithoutReader",
                              [](const TempFolder& f) {
                                MakeFifo(f / "pipe.qos");
                                return f / "pipe.qos";
                              },
                              AsIs, 022, OpenFailed, FolderEntries{{"pipe.qos", Fifo}}, nullptr, ContentAfter::New,
                              std::nullopt}),
    test::RowName());

// --- Writing onto a full disk -----------------------------------------------

// Lowers the file size limit of this process, so a write beyond it fails as
// on a full disk; it comes back on destruction. The signal such a write
// raises is left as it is: the writer must not die of it.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    m_Applied = ::getrlimit(RLIMIT_FSIZE, &m_Saved) == 0;
    rlimit lowered = m_Saved;
    lowered.rlim_cur = bytes;
    m_Applied = m_Applied && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_Saved); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool applied() const { return m_Applied; }

 private:
  rlimit m_Saved{};
  bool m_Applied = false;
};

struct FullDiskCase {
  const char* Name;
  rlim_t Room;        // bytes a file may hold
  bool ExistingFile;  // an older export is there
};

void PrintTo(const FullDiskCase& row, std::ostream* os) { *os << row.Name; }

class FullDiskTest : public testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDiskTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  const FullDiskCase& row = GetParam();
  TempFolder folder;
  if (row.ExistingFile) folder.Write("old.qos", OldBytes);

  FileWriteOutcome outcome = Ok;
  bool applied = false;
  {
    FileSizeLimit limit(row.Room);
    applied = limit.applied();
    if (applied) outcome = WriteSettingsFile(folder / "old.qos", NewImage).Outcome;
  }

  ASSERT_TRUE(applied) << "could not lower the file size limit";
  EXPECT_EQ(outcome, WriteFailed);
  if (row.ExistingFile) {
    EXPECT_EQ(folder.Entries(), (FolderEntries{{"old.qos", Regular}}));
    EXPECT_EQ(test::ReadBytes(folder / "old.qos"), OldBytes);
  } else {
    EXPECT_EQ(folder.Entries(), FolderEntries{});
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, FullDiskTest,
                         testing::Values(FullDiskCase{"NoRoomNewFile", 0, false},
                                         FullDiskCase{"PartWrittenNewFile", 20, false},
                                         FullDiskCase{"OneByteShortNewFile", 32, false},
                                         FullDiskCase{"NoRoomExistingFile", 0, true},
                                         FullDiskCase{"PartWrittenExistingFile", 20, true},
                                         FullDiskCase{"OneByteShortExistingFile", 32, true}),
                         test::RowName());

// --- Export then import -----------------------------------------------------

struct RoundTripCase {
  const char* Name;
  SettingsReport Image;
};

void PrintTo(const RoundTripCase& row, std::ostream* os) { *os << row.Name; }

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, ImportGivesBackWhatExportWrote) {
  TempFolder folder;
  const std::string path = folder / "settings.qos";
  ASSERT_EQ(WriteSettingsFile(path, GetParam().Image).Outcome, Ok);
  EXPECT_EQ(fs::file_size(path), SettingsReportSize);

  SettingsReport image{};
  image.fill(Untouched);
  ASSERT_EQ(ReadSettingsFile(path, image).Outcome, FileReadOutcome::Ok);
  EXPECT_EQ(image, GetParam().Image);
}

SettingsReport Filled(std::uint8_t value) {
  SettingsReport image{};
  image.fill(value);
  return image;
}

INSTANTIATE_TEST_SUITE_P(Images, RoundTripTest,
                         testing::Values(RoundTripCase{"Zeros", Filled(0x00)}, RoundTripCase{"Ones", Filled(0xFF)},
                                         RoundTripCase{"Pattern", NewImage}),
                         test::RowName());

}  // namespace
}  // namespace qor
