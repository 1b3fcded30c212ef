// What only Windows' files do to an export: the read-only attribute, other
// programs' sharing modes, devices. The old content survives every failure,
// and no temporary file is left in the folder.

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "settings/SystemError.h"

namespace qor {
namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const Bytes Old(40, 0x5A);

SettingsReport Image() {
  SettingsReport image{};
  image.fill(0x21);
  return image;
}

std::string Utf8(const fs::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WindowsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    m_Folder = fs::temp_directory_path() / ("qor-win-" + std::to_string(random()));
    fs::create_directory(m_Folder);
    m_File = m_Folder / u8"Kabinett-\u00dcberblick.qos";
    std::ofstream(m_File, std::ios::binary).write(reinterpret_cast<const char*>(Old.data()), Old.size());
  }
  void TearDown() override {
    ::SetFileAttributesW(m_File.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    fs::remove_all(m_Folder, ignored);
  }

  // Another program's handle on the file, sharing only what `share` allows.
  HANDLE Hold(DWORD share) const {
    return ::CreateFileW(m_File.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_Folder)) names.push_back(Utf8(entry.path().filename()));
    return names;
  }
  std::vector<std::string> OnlyTheFile() const { return {Utf8(m_File.filename())}; }

  fs::path m_Folder;
  fs::path m_File;
};

TEST_F(WindowsFileTest, ReadOnlyFileIsRefusedAndKept) {
  ASSERT_TRUE(::SetFileAttributesW(m_File.c_str(), FILE_ATTRIBUTE_READONLY));
  const FileWriteResult result = WriteSettingsFile(Utf8(m_File), Image());
  EXPECT_EQ(result.Outcome, FileWriteOutcome::OpenFailed);
  EXPECT_TRUE(IsPermissionError(result.Error)) << SystemErrorText(result.Error);
  EXPECT_EQ(SystemErrorText(result.Error), SystemErrorText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadBytes(m_File), Old);
  EXPECT_EQ(Entries(), OnlyTheFile());
}

TEST_F(WindowsFileTest, FileHeldWithoutWriteSharingIsRefusedAndKept) {
  const HANDLE held = Hold(FILE_SHARE_READ);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const FileWriteResult result = WriteSettingsFile(Utf8(m_File), Image());
  ::CloseHandle(held);
  EXPECT_EQ(result.Outcome, FileWriteOutcome::OpenFailed);
  EXPECT_EQ(ReadBytes(m_File), Old);
  EXPECT_EQ(Entries(), OnlyTheFile());
}

// The replace needs the file's deletion shared; without it the bytes go in
// place, and no temporary file stays behind.
TEST_F(WindowsFileTest, ReplaceRefusedWritesInPlace) {
  const HANDLE held = Hold(FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const FileWriteResult result = WriteSettingsFile(Utf8(m_File), Image());
  ::CloseHandle(held);
  EXPECT_EQ(result.Outcome, FileWriteOutcome::Ok) << SystemErrorText(result.Error);
  const SettingsReport image = Image();
  EXPECT_EQ(ReadBytes(m_File), Bytes(image.begin(), image.end()));
  EXPECT_EQ(Entries(), OnlyTheFile());
}

TEST_F(WindowsFileTest, DevicesAreWrittenInPlace) {
  EXPECT_EQ(WriteSettingsFile("NUL", Image()).Outcome, FileWriteOutcome::Ok);
  EXPECT_EQ(WriteSettingsFile(Utf8(m_Folder / u8"NUL"), Image()).Outcome, FileWriteOutcome::Ok);
  EXPECT_EQ(Entries(), OnlyTheFile());
}

TEST_F(WindowsFileTest, NameThatIsNotUtf8IsRefused) {
  EXPECT_EQ(WriteSettingsFile(Utf8(m_Folder) + "\\bad\xff.qos", Image()).Outcome, FileWriteOutcome::OpenFailed);
  EXPECT_EQ(Entries(), OnlyTheFile());
}

}  // namespace
}  // namespace qor
