// Import and export of settings files through the main window's buttons.

#include <sys/stat.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "WindowHarness.h"
#include "ui/framework/FileDialogs.h"

using namespace qor;
using namespace qor::test;
using ui::CConfigMainDialog;
using ui::FileDialogKind;

namespace {

constexpr int ModeList = res::IDC_MODE_LIST, BoardIdList = res::IDC_BOARD_ID_LIST, Save = res::IDC_SAVE_SETTINGS,
              Reread = res::IDC_REREAD_DEVICE, Import = res::IDC_IMPORT_SETTINGS, Export = res::IDC_EXPORT_SETTINGS;

const char* const Loaded = "Settings loaded! To apply, please click \"Save Settings\"";
const char* const ExportedText = "Settings exported!";
const char* const CannotRead = "Could not open file for reading! Please check file permissions and try again.";
const char* const Corrupt = "Settings file appears to be corrupt.  Please verify and try again.";
const char* const CannotWrite =
    "Could not open file for writing! Please verify that you have write permission in the destination folder.";
const char* const WriteError =
    "An error occured while attempting to write the settings file.\nPlease check the ammount of free disk space and "
    "try again.";
const char* const Saved = "Settings Saved! Please disconnect and reconnect device to apply changes.";

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
  image[report_offset::ReportId] = image[report_offset::Command] = image[report_offset::Reserved] = 0;
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
  harness.Platform.AddBoard("A", first);
  harness.Platform.AddBoard("B", SampleSettings(6));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, FileDialogKind::Save);
    Click(dialog, Export);
    QCOMPARE(ReadAll(path), Exported(first));

    // Board B's settings replace A's on screen; the file brings A's back.
    QTest::keyClick(dialog.DlgItem<QComboBox>(res::IDC_DEVICE_LIST), Qt::Key_Down);
    QVERIFY(dialog.DlgItem<QComboBox>(ModeList)->currentIndex() != first[report_offset::Mode]);
    harness.Platform.ClearLog();
    AnswerFileDialog(path, FileDialogKind::Open);
    Click(dialog, Import);
    QCOMPARE(dialog.DlgItem<QComboBox>(BoardIdList)->currentIndex(), int(first[report_offset::BoardId]));
    QCOMPARE(dialog.DlgItem<QComboBox>(ModeList)->currentIndex(), int(first[report_offset::Mode]));
    QCOMPARE(dialog.DlgItem<QLineEdit>(res::IDC_PIN_R1)->text(), QStringLiteral("Player 1 Y1"));
    QCOMPARE(dialog.m_AnalogDialog.m_AnalogMask, first[report_offset::AnalogInputs]);
    QCOMPARE(dialog.m_JoyMouseDialog.m_JoyMouseOptions, first[report_offset::JoyMouse]);
    // Import touches no board.
    QVERIFY(harness.TakeLog().empty());

    AnswerFileDialog(again, FileDialogKind::Save);
    Click(dialog, Export);
    QCOMPARE(ReadAll(again), Exported(first));

    // A reread brings back the board's own settings.
    Click(dialog, Reread);
    QCOMPARE(dialog.DlgItem<QComboBox>(ModeList)->currentIndex(), 1);
  }));
  QCOMPARE(harness.MessageTexts(), (QStringList{ExportedText, Loaded, ExportedText}));
}

void SettingsFileHandlersTest::outcomes_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("file");
  QTest::addColumn<QByteArray>("content");  // written first unless null
  QTest::addColumn<QString>("message");     // empty: none
  QTest::addColumn<bool>("settingsChanged");

  const QByteArray file33 = Bytes(SampleSettings(9));
  QTest::newRow("import missing file") << "import"
                                       << "missing.qos" << QByteArray() << CannotRead << false;
  QTest::newRow("import empty file") << "import"
                                     << "s.qos" << QByteArray("") << Corrupt << false;
  QTest::newRow("import 32 bytes") << "import"
                                   << "s.qos" << file33.left(32) << Corrupt << false;
  QTest::newRow("import 33 bytes") << "import"
                                   << "s.qos" << file33 << Loaded << true;
  QTest::newRow("import 34 bytes") << "import"
                                   << "s.qos" << file33 + "x" << Loaded << true;
  // A read-only settings file is opened for reading only, so it imports.
  QTest::newRow("import read-only") << "import"
                                    << "readonly.qos" << file33 << Loaded << true;
  QTest::newRow("import cancelled") << "import"
                                    << "" << QByteArray() << "" << false;
  QTest::newRow("export") << "export"
                          << "s.qos" << QByteArray() << ExportedText << false;
  QTest::newRow("export over a file") << "export"
                                      << "s.qos" << QByteArray("old") << ExportedText << false;
  QTest::newRow("export to a missing folder") << "export"
                                              << "no/such/folder.qos" << QByteArray() << CannotWrite << false;
  QTest::newRow("export to a full disk") << "export"
                                         << "/dev/full" << QByteArray() << WriteError << false;
  QTest::newRow("export cancelled") << "export"
                                    << "" << QByteArray() << "" << false;
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
  harness.Platform.AddBoard("A", board);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, button == "import" ? FileDialogKind::Open : FileDialogKind::Save);
    Click(dialog, button == "import" ? Import : Export);
    SettingsReport shown{};
    dialog.CollectSettings(shown);
    QCOMPARE(Exported(shown) != Exported(board), settingsChanged);
  }));
  QCOMPARE(harness.MessageTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
  if (message == ExportedText) QCOMPARE(ReadAll(path), Exported(board));
  if (file == "s.qos" && button == "export" && message != ExportedText) QCOMPARE(ReadAll(path), content);
}

void SettingsFileHandlersTest::outOfRangeFileBytesLeaveListsWithoutSelection() {
  QTemporaryDir folder;
  const QString path = folder.filePath("odd.qos");
  const QString exported = folder.filePath("out.qos");
  SettingsReport odd = SampleSettings(2);
  odd[report_offset::BoardId] = 4;
  odd[report_offset::Mode] = 5;
  WriteFile(path, Bytes(odd));
  WindowHarness harness;
  harness.Platform.AddBoard("A", SampleSettings(2));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    const QString labelBefore = dialog.DlgItem<QLineEdit>(res::IDC_PIN_R1)->text();
    AnswerFileDialog(path, FileDialogKind::Open);
    Click(dialog, Import);
    QCOMPARE(dialog.DlgItem<QComboBox>(BoardIdList)->currentIndex(), -1);
    QCOMPARE(dialog.DlgItem<QComboBox>(ModeList)->currentIndex(), -1);
    QCOMPARE(dialog.DlgItem<QLineEdit>(res::IDC_PIN_R1)->text(), labelBefore);
    AnswerFileDialog(exported, FileDialogKind::Save);
    Click(dialog, Export);
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
  file[report_offset::ReportId] = 0x11;
  file[report_offset::Command] = 0x22;
  file[report_offset::Reserved] = 0x33;
  WriteFile(path, Bytes(file));
  WindowHarness harness;
  const SettingsReport own = SampleSettings(1);
  auto board = harness.Platform.AddBoard("A", own);
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    AnswerFileDialog(path, FileDialogKind::Open);
    Click(dialog, Import);
    Click(dialog, Save);
  }));
  SettingsReport expected = file;
  expected[report_offset::ReportId] = 0;
  expected[report_offset::Command] = CommandStore;
  expected[report_offset::Reserved] = own[report_offset::Reserved];
  QCOMPARE(Bytes(board->Stored()), Bytes(expected));
  QCOMPARE(harness.MessageTexts(), (QStringList{Loaded, Saved}));
}

void SettingsFileHandlersTest::exportCarriesUnsavedHolderChanges() {
  QTemporaryDir folder;
  const QString path = folder.filePath("changed.qos");
  WindowHarness harness;
  harness.Platform.AddBoard("A", SampleSettings(4));
  QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
    dialog.m_JoyMouseDialog.m_JoyMouseOptions = 0x88;
    dialog.m_JoyMouseDialog.m_JoyMouseZone = DeadZone{100, 150, 90, 160};
    AnswerFileDialog(path, FileDialogKind::Save);
    Click(dialog, Export);
    // A reread replaces the holders' unsaved values with the board's.
    Click(dialog, Reread);
    QCOMPARE(dialog.m_JoyMouseDialog.m_JoyMouseOptions, SampleSettings(4)[report_offset::JoyMouse]);
  }));
  const QByteArray out = ReadAll(path);
  QCOMPARE(out.mid(6, 5), QByteArray("\x88\x64\x96\x5a\xa0", 5));
}

QTEST_MAIN(SettingsFileHandlersTest)
#include "SettingsFileHandlersTest.moc"
