// What an export and an import end in, the same on every platform: the rows
// hold for Linux's writer and for Windows' alike.

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "settings/SystemError.h"

namespace qor {
namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Names are UTF-8 inside the program, whatever the system uses.
std::string Utf8(const fs::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

class Folder {
 public:
  Folder() {
    std::random_device random;
    m_Path = fs::temp_directory_path() / ("qor-outcomes-" + std::to_string(random()));
    fs::create_directory(m_Path);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(m_Path, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  fs::path operator/(const std::u8string& name) const { return m_Path / name; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_Path)) names.insert(Utf8(entry.path().filename()));
    return names;
  }

 private:
  fs::path m_Path;
};

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SettingsReport NewImage() {
  SettingsReport image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x40 + i);
  return image;
}

struct WriteRow {
  const char* Name;
  std::u8string Target;  // in the folder
  Bytes Old;             // what stands there first; empty: nothing
  FileWriteOutcome Outcome;
};

void PrintTo(const WriteRow& row, std::ostream* out) { *out << row.Name; }

class WriteOutcomeTest : public testing::TestWithParam<WriteRow> {};

// The file holds the 33 bytes or its old content, and nothing else is left
// in the folder: no temporary file on any road.
TEST_P(WriteOutcomeTest, FileHoldsTheImageOrWhatWasThere) {
  const WriteRow& row = GetParam();
  Folder folder;
  const fs::path target = folder / row.Target;
  if (!row.Old.empty()) WriteBytes(target, row.Old);
  const std::set<std::string> before = folder.Names();

  const FileWriteResult result = WriteSettingsFile(Utf8(target), NewImage());
  EXPECT_EQ(result.Outcome, row.Outcome) << SystemErrorText(result.Error);
  if (row.Outcome == FileWriteOutcome::Ok) {
    const SettingsReport image = NewImage();
    EXPECT_EQ(ReadBytes(target), Bytes(image.begin(), image.end()));
    std::set<std::string> expected = before;
    expected.insert(Utf8(target.filename()));
    EXPECT_EQ(folder.Names(), expected);
  } else {
    EXPECT_FALSE(IsPermissionError(result.Error)) << SystemErrorText(result.Error);
    EXPECT_EQ(folder.Names(), before);
    if (!row.Old.empty()) {
      EXPECT_EQ(ReadBytes(target), row.Old);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Exports, WriteOutcomeTest,
    testing::Values(WriteRow{"NewFile", u8"cabinet.qos", {}, FileWriteOutcome::Ok},
                    WriteRow{"LongerOldFileEndsAt33", u8"cabinet.qos", Bytes(100, 0x5A), FileWriteOutcome::Ok},
                    WriteRow{"ShorterOldFile", u8"cabinet.qos", Bytes(3, 0x5A), FileWriteOutcome::Ok},
                    WriteRow{"NonAsciiName", u8"Kabinett-\u00dcberblick \u30b2\u30fc\u30e0.qos", Bytes(33, 1),
                             FileWriteOutcome::Ok},
                    WriteRow{"MissingFolder", u8"missing/cabinet.qos", {}, FileWriteOutcome::OpenFailed}),
    [](const testing::TestParamInfo<WriteRow>& info) { return std::string(info.param.Name); });

TEST(WriteOutcomeTest, FolderIsNoFile) {
  Folder folder;
  const fs::path inner = folder / u8"inner";
  fs::create_directory(inner);
  EXPECT_EQ(WriteSettingsFile(Utf8(inner), NewImage()).Outcome, FileWriteOutcome::OpenFailed);
  EXPECT_TRUE(fs::is_directory(inner));
  EXPECT_EQ(folder.Names(), std::set<std::string>{"inner"});
}

struct ReadRow {
  const char* Name;
  int Size;  // -1: no file
  FileLength Length;
  FileReadOutcome Outcome;
};

void PrintTo(const ReadRow& row, std::ostream* out) { *out << row.Name; }

class ReadOutcomeTest : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadOutcomeTest, ImageChangesOnlyWhenRead) {
  const ReadRow& row = GetParam();
  Folder folder;
  const fs::path file = folder / u8"Einstellungen-\u00e4.qos";
  Bytes bytes(row.Size < 0 ? 0 : static_cast<std::size_t>(row.Size));
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  if (row.Size >= 0) WriteBytes(file, bytes);

  SettingsReport image{};
  image.fill(0xEE);
  const FileReadResult result = ReadSettingsFile(Utf8(file), image, ReadableFiles::RegularOnly, row.Length);
  EXPECT_EQ(result.Outcome, row.Outcome);
  if (row.Outcome == FileReadOutcome::Ok) {
    EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
  } else {
    EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0xEE; }));
  }
  if (row.Outcome == FileReadOutcome::Corrupt) {
    EXPECT_EQ(result.Length, bytes.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Imports, ReadOutcomeTest,
                         testing::Values(ReadRow{"Missing", -1, FileLength::AtLeast, FileReadOutcome::OpenFailed},
                                         ReadRow{"Empty", 0, FileLength::AtLeast, FileReadOutcome::Corrupt},
                                         ReadRow{"OneByteShort", 32, FileLength::AtLeast, FileReadOutcome::Corrupt},
                                         ReadRow{"Exact", 33, FileLength::Exactly, FileReadOutcome::Ok},
                                         ReadRow{"LongerImportsItsStart", 34, FileLength::AtLeast, FileReadOutcome::Ok},
                                         ReadRow{"LongerIsNoExactFile", 34, FileLength::Exactly,
                                                 FileReadOutcome::TooLong}),
                         [](const testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor
