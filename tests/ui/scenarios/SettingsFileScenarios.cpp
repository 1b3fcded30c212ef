// "Import Settings" and "Export Settings" over virtual boards: what reaches
// the file and the window, and the message each outcome shows.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Scenario.h"
#include "TempFolder.h"
#include "tests/support/RowName.h"
#include "ui/framework/FileDialogs.h"

namespace qor::test {
namespace {

using ui::CConfigMainDialog;
using ui::FileDialogKind;
using Bytes = std::vector<std::uint8_t>;

const std::string Loaded = "Settings loaded! To apply, please click \"Save Settings\"";
const std::string Exported = "Settings exported!";
const std::string CannotRead = "Could not open file for reading! Please check file permissions and try again.";
const std::string Corrupt = "Settings file appears to be corrupt.  Please verify and try again.";
const std::string CannotWrite =
    "Could not open file for writing! Please verify that you have write permission in the destination folder.";
const std::string WriteError =
    "An error occured while attempting to write the settings file.\nPlease check the ammount of free disk space and "
    "try again.";

// Answers the next file dialogs with `path` (empty: the user cancels).
void AnswerFileDialog(const std::string& path, FileDialogKind expected) {
  ui::SetFileDialogHook([path, expected](FileDialogKind kind) {
    EXPECT_EQ(kind, expected) << "a file dialog of the other kind";
    return path;
  });
}

Bytes BytesOf(const SettingsReport& image) { return Bytes(image.begin(), image.end()); }

// What an export of `image`'s settings writes: bytes 0, 1 and 5 are 0.
Bytes ExportOf(SettingsReport image) {
  image[report_offset::ReportId] = image[report_offset::Command] = image[report_offset::Reserved] = 0;
  return BytesOf(image);
}

Bytes Read(const std::string& path) { return std::filesystem::exists(path) ? ReadBytes(path) : Bytes{}; }

TEST(SettingsFile, ExportThenImportRestoresEveryField) {
  TempFolder folder;
  const std::string path = folder / "a.qos";
  const std::string again = folder / "again.qos";
  WindowHarness harness;
  const SettingsReport first = SampleSettings(3);
  harness.Platform.AddBoard("A", first);
  harness.Platform.AddBoard("B", SampleSettings(6));
  Driver& user = TheDriver();
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, FileDialogKind::Save);
    user.Click(dialog, res::IDC_EXPORT_SETTINGS);
    EXPECT_EQ(Read(path), ExportOf(first));

    // Board B's settings replace A's on screen; the file brings A's back.
    user.ChooseNext(dialog, res::IDC_DEVICE_LIST);
    EXPECT_NE(List(dialog, res::IDC_MODE_LIST).GetCurSel(), first[report_offset::Mode]);
    harness.Platform.ClearLog();
    AnswerFileDialog(path, FileDialogKind::Open);
    user.Click(dialog, res::IDC_IMPORT_SETTINGS);
    EXPECT_EQ(List(dialog, res::IDC_BOARD_ID_LIST).GetCurSel(), first[report_offset::BoardId]);
    EXPECT_EQ(List(dialog, res::IDC_MODE_LIST).GetCurSel(), first[report_offset::Mode]);
    EXPECT_EQ(Text(dialog, res::IDC_PIN_R1), "Player 1 Y1");
    EXPECT_EQ(dialog.m_AnalogDialog.m_AnalogMask, first[report_offset::AnalogInputs]);
    EXPECT_EQ(dialog.m_JoyMouseDialog.m_JoyMouseOptions, first[report_offset::JoyMouse]);
    // Import touches no board.
    EXPECT_TRUE(harness.TakeLog().empty());

    AnswerFileDialog(again, FileDialogKind::Save);
    user.Click(dialog, res::IDC_EXPORT_SETTINGS);
    EXPECT_EQ(Read(again), ExportOf(first));

    // A reread brings back the board's own settings.
    user.Click(dialog, res::IDC_REREAD_DEVICE);
    EXPECT_EQ(List(dialog, res::IDC_MODE_LIST).GetCurSel(), 1);
  }));
  EXPECT_EQ(harness.MessageTexts(), (Texts{Exported, Loaded, Exported}));
}

struct FileRow {
  const char* Name;
  bool Import;
  const char* File;              // "": the user cancels; "/...": that path
  std::optional<Bytes> Content;  // written first
  std::string Message;           // empty: none
  bool SettingsChanged;
  bool ReadOnly = false;
};
void PrintTo(const FileRow& row, std::ostream* os) { *os << row.Name; }

const Bytes File33 = BytesOf(SampleSettings(9));
Bytes Prefix(std::size_t size) { return Bytes(File33.begin(), File33.begin() + static_cast<long>(size)); }
Bytes WithExtraByte() {
  Bytes bytes = File33;
  bytes.push_back('x');
  return bytes;
}

class FileOutcome : public ::testing::TestWithParam<FileRow> {};

TEST_P(FileOutcome, ShowsItsMessage) {
  const FileRow& row = GetParam();
  TempFolder folder;
  const std::string file = row.File;
  const std::string path = file.empty() ? std::string() : file[0] == '/' ? file : folder / file;
  if (row.Content) folder.Write(file, *row.Content);
  if (row.ReadOnly) {
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  }

  WindowHarness harness;
  const SettingsReport board = SampleSettings(1);
  harness.Platform.AddBoard("A", board);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, row.Import ? FileDialogKind::Open : FileDialogKind::Save);
    TheDriver().Click(dialog, row.Import ? res::IDC_IMPORT_SETTINGS : res::IDC_EXPORT_SETTINGS);
    SettingsReport shown{};
    dialog.CollectSettings(shown);
    EXPECT_EQ(ExportOf(shown) != ExportOf(board), row.SettingsChanged);
  }));
  EXPECT_EQ(harness.MessageTexts(), row.Message.empty() ? Texts{} : Texts{row.Message});
  if (row.Message == Exported) {
    EXPECT_EQ(Read(path), ExportOf(board));
  }
  // A failed export leaves the file as it was.
  if (!row.Import && row.Content && row.Message != Exported) {
    EXPECT_EQ(Read(path), *row.Content);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileOutcome,
    ::testing::Values(FileRow{"import missing file", true, "missing.qos", std::nullopt, CannotRead, false},
                      FileRow{"import empty file", true, "s.qos", Bytes{}, Corrupt, false},
                      FileRow{"import 32 bytes", true, "s.qos", Prefix(32), Corrupt, false},
                      FileRow{"import 33 bytes", true, "s.qos", File33, Loaded, true},
                      FileRow{"import 34 bytes", true, "s.qos", WithExtraByte(), Loaded, true},
                      // A read-only settings file is opened for reading only, so it imports.
                      FileRow{"import read-only", true, "readonly.qos", File33, Loaded, true, true},
                      FileRow{"import cancelled", true, "", std::nullopt, "", false},
                      FileRow{"export", false, "s.qos", std::nullopt, Exported, false},
                      FileRow{"export over a file", false, "s.qos", Bytes{'o', 'l', 'd'}, Exported, false},
                      FileRow{"export to a missing folder", false, "no/such/folder.qos", std::nullopt, CannotWrite,
                              false},
                      FileRow{"export to a full disk", false, "/dev/full", std::nullopt, WriteError, false},
                      FileRow{"export cancelled", false, "", std::nullopt, "", false}),
    RowName());

TEST(SettingsFile, OutOfRangeBytesLeaveListsWithoutSelection) {
  TempFolder folder;
  SettingsReport odd = SampleSettings(2);
  odd[report_offset::BoardId] = 4;
  odd[report_offset::Mode] = 5;
  folder.Write("odd.qos", BytesOf(odd));
  WindowHarness harness;
  harness.Platform.AddBoard("A", SampleSettings(2));
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    const std::string labelBefore = Text(dialog, res::IDC_PIN_R1);
    AnswerFileDialog(folder / "odd.qos", FileDialogKind::Open);
    TheDriver().Click(dialog, res::IDC_IMPORT_SETTINGS);
    EXPECT_EQ(List(dialog, res::IDC_BOARD_ID_LIST).GetCurSel(), -1);
    EXPECT_EQ(List(dialog, res::IDC_MODE_LIST).GetCurSel(), -1);
    EXPECT_EQ(Text(dialog, res::IDC_PIN_R1), labelBefore);
    AnswerFileDialog(folder / "out.qos", FileDialogKind::Save);
    TheDriver().Click(dialog, res::IDC_EXPORT_SETTINGS);
  }));
  const Bytes out = Read(folder / "out.qos");
  ASSERT_EQ(out.size(), 33u);
  EXPECT_EQ(out[2], 255);
  EXPECT_EQ(out[3], 255);
}

TEST(SettingsFile, ImportedSettingsReachTheBoardWithItsOwnByte5) {
  TempFolder folder;
  SettingsReport file = SampleSettings(5);
  file[report_offset::ReportId] = 0x11;
  file[report_offset::Command] = 0x22;
  file[report_offset::Reserved] = 0x33;
  folder.Write("other.qos", BytesOf(file));
  WindowHarness harness;
  const SettingsReport own = SampleSettings(1);
  auto board = harness.Platform.AddBoard("A", own);
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(folder / "other.qos", FileDialogKind::Open);
    TheDriver().Click(dialog, res::IDC_IMPORT_SETTINGS);
    TheDriver().Click(dialog, res::IDC_SAVE_SETTINGS);
  }));
  SettingsReport expected = file;
  expected[report_offset::ReportId] = 0;
  expected[report_offset::Command] = CommandStore;
  expected[report_offset::Reserved] = own[report_offset::Reserved];
  EXPECT_EQ(BytesOf(board->Stored()), BytesOf(expected));
  EXPECT_EQ(harness.MessageTexts(), (Texts{Loaded, Saved}));
}

TEST(SettingsFile, ExportCarriesUnsavedHolderChanges) {
  TempFolder folder;
  WindowHarness harness;
  harness.Platform.AddBoard("A", SampleSettings(4));
  ASSERT_TRUE(harness.Run([&](CConfigMainDialog& dialog) {
    dialog.m_JoyMouseDialog.m_JoyMouseOptions = 0x88;
    dialog.m_JoyMouseDialog.m_JoyMouseZone = DeadZone{100, 150, 90, 160};
    AnswerFileDialog(folder / "changed.qos", FileDialogKind::Save);
    TheDriver().Click(dialog, res::IDC_EXPORT_SETTINGS);
    // A reread replaces the holders' unsaved values with the board's.
    TheDriver().Click(dialog, res::IDC_REREAD_DEVICE);
    EXPECT_EQ(dialog.m_JoyMouseDialog.m_JoyMouseOptions, SampleSettings(4)[report_offset::JoyMouse]);
  }));
  const Bytes out = Read(folder / "changed.qos");
  ASSERT_EQ(out.size(), 33u);
  EXPECT_EQ(Bytes(out.begin() + 6, out.begin() + 11), (Bytes{0x88, 100, 150, 90, 160}));
}

}  // namespace
}  // namespace qor::test
