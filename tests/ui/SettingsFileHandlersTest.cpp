// Import and export of settings files through the main window's buttons.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

#include "WindowHarness.h"
#include "ui/framework/FileDialogs.h"

using namespace qor;
using namespace qor::test;
using ui::CConfigMainDialog;
using ui::FileDialogKind;

namespace {

constexpr int kModeList = res::IDC_MODE_LIST, kBoardIdList = res::IDC_BOARD_ID_LIST, kSave = res::IDC_SAVE_SETTINGS,
              kReread = res::IDC_REREAD_DEVICE, kImport = res::IDC_IMPORT_SETTINGS, kExport = res::IDC_EXPORT_SETTINGS;

const char* const kLoaded = "Settings loaded! To apply, please click \"Save Settings\"";
const char* const kExportedText = "Settings exported!";
const char* const kCannotRead = "Could not open file for reading! Please check file permissions and try again.";
const char* const kCorrupt = "Settings file appears to be corrupt.  Please verify and try again.";
const char* const kCannotWrite =
    "Could not open file for writing! Please verify that you have write permission in the destination folder.";
const char* const kWriteError =
    "An error occured while attempting to write the settings file.\nPlease check the ammount of free disk space and "
    "try again.";
const char* const kSaved = "Settings Saved! Please disconnect and reconnect device to apply changes.";

// Answers the next file dialog with `path` (empty: the user cancels).
void AnswerFileDialog(const QString& path, FileDialogKind expected) {
  ui::SetFileDialogHook([path, expected](FileDialogKind kind) {
    if (kind != expected) qWarning("unexpected file dialog");
    return path;
  });
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray Bytes(const SettingsReport& image) {
  return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

// What an export of `image`'s settings writes: bytes 0, 1 and 5 are 0.
QByteArray Exported(SettingsReport image) {
  image[ReportOffset::ReportId] = image[ReportOffset::Command] = image[ReportOffset::Reserved] = 0;
  return Bytes(image);
}

}  // namespace

class SettingsFileHandlersTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { ui::SetFileDialogHook({}); }
  void exportThenImportRestoresEveryField();
  void outcomes_data();
  void outcomes();
  void outOfRangeFileBytesLeaveListsWithoutSelection();
  void importedSettingsReachTheBoardWithItsOwnByte5();
  void exportCarriesUnsavedHolderChanges();
};

void SettingsFileHandlersTest::exportThenImportRestoresEveryField() {
  QTemporaryDir folder;
  const QString path = folder.filePath("a.qos");
  const QString again = folder.filePath("again.qos");
  WindowHarness harness;
  const SettingsReport first = SampleSettings(3);
  harness.platform.AddBoard("A", first);
  harness.platform.AddBoard("B", SampleSettings(6));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, FileDialogKind::Save);
    Click(dialog, kExport);
    QCOMPARE(ReadAll(path), Exported(first));

    // Board B's settings replace A's on screen; the file brings A's back.
    QTest::keyClick(dialog.DlgItem<QComboBox>(res::IDC_DEVICE_LIST), Qt::Key_Down);
    QVERIFY(dialog.DlgItem<QComboBox>(kModeList)->currentIndex() != first[ReportOffset::Mode]);
    harness.platform.ClearLog();
    AnswerFileDialog(path, FileDialogKind::Open);
    Click(dialog, kImport);
    QCOMPARE(dialog.DlgItem<QComboBox>(kBoardIdList)->currentIndex(), int(first[ReportOffset::BoardId]));
    QCOMPARE(dialog.DlgItem<QComboBox>(kModeList)->currentIndex(), int(first[ReportOffset::Mode]));
    QCOMPARE(dialog.DlgItem<QLineEdit>(res::IDC_PIN_R1)->text(), QStringLiteral("Player 1 Y1"));
    QCOMPARE(dialog.m_AnalogDialog.m_AnalogMask, first[ReportOffset::AnalogInputs]);
    QCOMPARE(dialog.m_JoyMouseDialog.m_JoyMouseOptions, first[ReportOffset::JoyMouse]);
    // Import touches no board.
    QVERIFY(harness.TakeLog().empty());

    AnswerFileDialog(again, FileDialogKind::Save);
    Click(dialog, kExport);
    QCOMPARE(ReadAll(again), Exported(first));

    // A reread brings back the board's own settings.
    Click(dialog, kReread);
    QCOMPARE(dialog.DlgItem<QComboBox>(kModeList)->currentIndex(), 1);
  }));
  QCOMPARE(harness.MessageTexts(), (QStringList{kExportedText, kLoaded, kExportedText}));
}

void SettingsFileHandlersTest::outcomes_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("file");
  QTest::addColumn<QByteArray>("content");  // written first unless null
  QTest::addColumn<QString>("message");     // empty: none
  QTest::addColumn<bool>("settingsChanged");

  const QByteArray file33 = Bytes(SampleSettings(9));
  QTest::newRow("import missing file") << "import" << "missing.qos" << QByteArray() << kCannotRead << false;
  QTest::newRow("import empty file") << "import" << "s.qos" << QByteArray("") << kCorrupt << false;
  QTest::newRow("import 32 bytes") << "import" << "s.qos" << file33.left(32) << kCorrupt << false;
  QTest::newRow("import 33 bytes") << "import" << "s.qos" << file33 << kLoaded << true;
  QTest::newRow("import 34 bytes") << "import" << "s.qos" << file33 + "x" << kLoaded << true;
  // A read-only settings file is opened for reading only, so it imports.
  QTest::newRow("import read-only") << "import" << "readonly.qos" << file33 << kLoaded << true;
  QTest::newRow("import cancelled") << "import" << "" << QByteArray() << "" << false;
  QTest::newRow("export") << "export" << "s.qos" << QByteArray() << kExportedText << false;
  QTest::newRow("export over a file") << "export" << "s.qos" << QByteArray("old") << kExportedText << false;
  QTest::newRow("export to a missing folder") << "export" << "no/such/folder.qos" << QByteArray() << kCannotWrite
                                              << false;
  QTest::newRow("export to a full disk") << "export" << "/dev/full" << QByteArray() << kWriteError << false;
  QTest::newRow("export cancelled") << "export" << "" << QByteArray() << "" << false;
}

void SettingsFileHandlersTest::outcomes() {
  QFETCH(QString, button);
  QFETCH(QString, file);
  QFETCH(QByteArray, content);
  QFETCH(QString, message);
  QFETCH(bool, settingsChanged);
  QTemporaryDir folder;
  const QString path = file.isEmpty() ? QString() : file.startsWith('/') ? file : folder.filePath(file);
  if (!content.isNull()) WriteFile(path, content);
  if (file == "readonly.qos") QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);

  WindowHarness harness;
  const SettingsReport board = SampleSettings(1);
  harness.platform.AddBoard("A", board);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, button == "import" ? FileDialogKind::Open : FileDialogKind::Save);
    Click(dialog, button == "import" ? kImport : kExport);
    SettingsReport shown{};
    dialog.CollectSettings(shown);
    QCOMPARE(Exported(shown) != Exported(board), settingsChanged);
  }));
  QCOMPARE(harness.MessageTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
  if (message == kExportedText) QCOMPARE(ReadAll(path), Exported(board));
  if (file == "s.qos" && button == "export" && message != kExportedText) QCOMPARE(ReadAll(path), content);
}

void SettingsFileHandlersTest::outOfRangeFileBytesLeaveListsWithoutSelection() {
  QTemporaryDir folder;
  const QString path = folder.filePath("odd.qos");
  const QString exported = folder.filePath("out.qos");
  SettingsReport odd = SampleSettings(2);
  odd[ReportOffset::BoardId] = 4;
  odd[ReportOffset::Mode] = 5;
  WriteFile(path, Bytes(odd));
  WindowHarness harness;
  harness.platform.AddBoard("A", SampleSettings(2));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    const QString labelBefore = dialog.DlgItem<QLineEdit>(res::IDC_PIN_R1)->text();
    AnswerFileDialog(path, FileDialogKind::Open);
    Click(dialog, kImport);
    QCOMPARE(dialog.DlgItem<QComboBox>(kBoardIdList)->currentIndex(), -1);
    QCOMPARE(dialog.DlgItem<QComboBox>(kModeList)->currentIndex(), -1);
    QCOMPARE(dialog.DlgItem<QLineEdit>(res::IDC_PIN_R1)->text(), labelBefore);
    AnswerFileDialog(exported, FileDialogKind::Save);
    Click(dialog, kExport);
  }));
  const QByteArray out = ReadAll(exported);
  QCOMPARE(out.size(), 33);
  QCOMPARE(std::uint8_t(out[2]), std::uint8_t(255));
  QCOMPARE(std::uint8_t(out[3]), std::uint8_t(255));
}

void SettingsFileHandlersTest::importedSettingsReachTheBoardWithItsOwnByte5() {
  QTemporaryDir folder;
  const QString path = folder.filePath("other.qos");
  SettingsReport file = SampleSettings(5);
  file[ReportOffset::ReportId] = 0x11;
  file[ReportOffset::Command] = 0x22;
  file[ReportOffset::Reserved] = 0x33;
  WriteFile(path, Bytes(file));
  WindowHarness harness;
  const SettingsReport own = SampleSettings(1);
  auto board = harness.platform.AddBoard("A", own);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, FileDialogKind::Open);
    Click(dialog, kImport);
    Click(dialog, kSave);
  }));
  SettingsReport expected = file;
  expected[ReportOffset::ReportId] = 0;
  expected[ReportOffset::Command] = CommandStore;
  expected[ReportOffset::Reserved] = own[ReportOffset::Reserved];
  QCOMPARE(Bytes(board->Stored()), Bytes(expected));
  QCOMPARE(harness.MessageTexts(), (QStringList{kLoaded, kSaved}));
}

void SettingsFileHandlersTest::exportCarriesUnsavedHolderChanges() {
  QTemporaryDir folder;
  const QString path = folder.filePath("changed.qos");
  WindowHarness harness;
  harness.platform.AddBoard("A", SampleSettings(4));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    dialog.m_JoyMouseDialog.m_JoyMouseOptions = 0x88;
    dialog.m_JoyMouseDialog.m_JoyMouseZone = DeadZone{100, 150, 90, 160};
    AnswerFileDialog(path, FileDialogKind::Save);
    Click(dialog, kExport);
    // A reread replaces the holders' unsaved values with the board's.
    Click(dialog, kReread);
    QCOMPARE(dialog.m_JoyMouseDialog.m_JoyMouseOptions, SampleSettings(4)[ReportOffset::JoyMouse]);
  }));
  const QByteArray out = ReadAll(path);
  QCOMPARE(out.mid(6, 5), QByteArray("\x88\x64\x96\x5a\xa0", 5));
}

QTEST_MAIN(SettingsFileHandlersTest)
#include "SettingsFileHandlersTest.moc"
