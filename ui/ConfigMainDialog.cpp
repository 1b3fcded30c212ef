#include "ui/ConfigMainDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstring>

#include "settings/SettingsFile.h"
#include "ui/AboutDialog.h"
#include "ui/framework/FileDialogs.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/Resources.h"
#include "ui/framework/WaitCursor.h"

namespace qor::ui {
namespace {

constexpr int IDC_SCAN = 1000;
constexpr int IDC_REREAD = 1001;
constexpr int IDC_DEVICE_LIST = 1008;
constexpr int IDC_MODE_LIST = 1009;
constexpr int IDC_BOARD_ID_LIST = 1010;
constexpr int IDC_KEYSTICK_SETUP = 1018;
constexpr int IDC_SAVE = 1019;
constexpr int IDC_FIRST_PIN = 1022;
constexpr int IDC_GROUND = 1042;
constexpr int IDC_POWER = 1043;
constexpr int IDC_ANALOG_SETUP = 1093;
constexpr int IDC_JOYMOUSE_SETUP = 1094;
constexpr int IDC_IMPORT = 1096;
constexpr int IDC_EXPORT = 1097;

const char* const kNoDevices = "No devices found!";
const char* const kCommunicationFailure = "Device communication interrupted!\nPlease verify device connection.";
const char* const kSaved = "Settings Saved! Please disconnect and reconnect device to apply changes.";
const char* const kLoaded = "Settings loaded! To apply, please click \"Save Settings\"";
const char* const kExported = "Settings exported!";
const char* const kCannotRead = "Could not open file for reading! Please check file permissions and try again.";
const char* const kCorrupt = "Settings file appears to be corrupt.  Please verify and try again.";
const char* const kCannotWrite =
    "Could not open file for writing! Please verify that you have write permission in the destination folder.";
const char* const kWriteError =
    "An error occured while attempting to write the settings file.\nPlease check the ammount of free disk space and "
    "try again.";

// A value outside the list leaves it without a selection.
void SetListSelection(QComboBox* list, int index) { list->setCurrentIndex(index < list->count() ? index : -1); }

// The low byte of the selected index: 255 for a list without a selection.
std::uint8_t ListSelection(const QComboBox* list) { return static_cast<std::uint8_t>(list->currentIndex()); }

}  // namespace

CConfigMainDialog::CConfigMainDialog(DeviceLink& link)
    : CDialog(res::IDD_QORCONFIG_DIALOG), link_(link), m_hIcon(ApplicationIcon()) {}

void CConfigMainDialog::DoDataExchange() {
  m_DeviceList = DlgItem<QComboBox>(IDC_DEVICE_LIST);
  m_ScanButton = DlgItem<QPushButton>(IDC_SCAN);
  m_RereadButton = DlgItem<QPushButton>(IDC_REREAD);
  m_SaveButton = DlgItem<QPushButton>(IDC_SAVE);
  m_DoneButton = DlgItem<QPushButton>(res::IDOK);
  m_GroundBox = DlgItem<QLineEdit>(IDC_GROUND);
  m_PowerBox = DlgItem<QLineEdit>(IDC_POWER);
  m_BoardIdList = DlgItem<QComboBox>(IDC_BOARD_ID_LIST);
  m_ModeList = DlgItem<QComboBox>(IDC_MODE_LIST);
  for (int i = 0; i < WiringTerminalCount; ++i) m_PinBoxes[i] = DlgItem<QLineEdit>(IDC_FIRST_PIN + i);
  m_KeyStickButton = DlgItem<QPushButton>(IDC_KEYSTICK_SETUP);
  m_AnalogButton = DlgItem<QPushButton>(IDC_ANALOG_SETUP);
  m_JoyMouseButton = DlgItem<QPushButton>(IDC_JOYMOUSE_SETUP);
  m_ImportButton = DlgItem<QPushButton>(IDC_IMPORT);
  m_ExportButton = DlgItem<QPushButton>(IDC_EXPORT);
}

void CConfigMainDialog::MessageMap() {
  OnClicked(IDC_SCAN, &CConfigMainDialog::ScanDevices);
  OnSelChange(IDC_DEVICE_LIST, &CConfigMainDialog::OnRereadDevice);
  OnClicked(IDC_REREAD, &CConfigMainDialog::OnRereadDevice);
  OnClicked(IDC_SAVE, &CConfigMainDialog::OnSaveSettings);
  OnSelChange(IDC_MODE_LIST, &CConfigMainDialog::UpdateWiringLabels);
  OnClicked(IDC_KEYSTICK_SETUP, &CConfigMainDialog::OnKeyStickSetup);
  OnClicked(IDC_JOYMOUSE_SETUP, &CConfigMainDialog::OnJoyMouseSetup);
  OnClicked(IDC_ANALOG_SETUP, &CConfigMainDialog::OnAnalogSetup);
  OnClicked(IDC_IMPORT, &CConfigMainDialog::OnImportSettings);
  OnClicked(IDC_EXPORT, &CConfigMainDialog::OnExportSettings);
}

bool CConfigMainDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  const QString about = QString::fromLatin1(res::LoadString(res::IDS_ABOUTBOX));
  if (!about.isEmpty()) AppendSystemMenu(about, IDM_ABOUTBOX);

  Window()->setWindowIcon(m_hIcon);
  AddToolTips();

  m_GroundBox->setText(QStringLiteral("Ground"));
  m_PowerBox->setText(QStringLiteral("Power"));

  m_BoardIdList->clear();
  for (int id = 1; id <= BoardIdCount; ++id) m_BoardIdList->addItem(QString::number(id));
  m_ModeList->clear();
  for (int mode = 0; mode < ModeCount; ++mode) m_ModeList->addItem(QString::fromLatin1(ModeListText(mode)));
  // Neither list has a selection until a board or the user gives it one.
  m_BoardIdList->setCurrentIndex(-1);
  m_ModeList->setCurrentIndex(-1);

  ScanDevices();
  return true;
}

void CConfigMainDialog::AddToolTips() {
  const std::pair<QWidget*, const char*> tips[] = {
      {m_ScanButton, "Scan PC for comaptible USB devices."},
      {m_RereadButton, "Reread status information from selected device."},
      {m_DeviceList, "Please select a device from this list."},
      {m_SaveButton, "Save current settings to selected QOR device."},
      {m_DoneButton, "Click to exit."},
      {m_AnalogButton, "Enable or disable analog inputs."},
      {m_KeyStickButton, "Set deadzone and keycodes for KeyStick mode."},
      {m_JoyMouseButton, "Set deadzone and mouse speed for JoyMouse mode."},
      {m_ImportButton, "Load QOR settings from a file."},
      {m_ExportButton, "Save QOR settings to a file."},
  };
  for (const auto& [control, text] : tips) control->setToolTip(QString::fromLatin1(text));
}

void CConfigMainDialog::EnableBoardControls(bool enable) {
  for (QWidget* control : {static_cast<QWidget*>(m_SaveButton), static_cast<QWidget*>(m_AnalogButton),
                           static_cast<QWidget*>(m_JoyMouseButton), static_cast<QWidget*>(m_BoardIdList),
                           static_cast<QWidget*>(m_ImportButton), static_cast<QWidget*>(m_ExportButton),
                           static_cast<QWidget*>(m_KeyStickButton)})
    control->setEnabled(enable);
}

void CConfigMainDialog::ScanDevices() {
  m_DeviceList->clear();
  DeviceTable& table = link_.Table();
  table.Scan();
  for (int row = 0; row < table.Count(); ++row) {
    // A board whose identification fails is listed without a text, never
    // with the text of the board before it.
    std::memset(link_.IdentificationText, 0, sizeof link_.IdentificationText);
    link_.IdentifyDevice(row, link_.IdentificationText, sizeof link_.IdentificationText);
    m_DeviceList->addItem(QStringLiteral("%1: %2").arg(row + 1).arg(QString::fromLatin1(link_.IdentificationText)));
  }
  m_DeviceList->setCurrentIndex(0);

  if (table.Count() > 0) {
    m_DeviceList->setEnabled(true);
    m_RereadButton->setEnabled(true);
    // Settings that were never read must not look loaded.
    OnRereadDevice();
  } else {
    m_DeviceList->setEnabled(false);
    m_RereadButton->setEnabled(false);
    EnableBoardControls(false);
    ShowMessage(QString::fromLatin1(kNoDevices));
  }
}

bool CConfigMainDialog::LoadSelectedDevice() {
  const int row = m_DeviceList->currentIndex();
  const bool read = row >= 0 && row < link_.Table().Count() && link_.ReadDeviceSettings(row);
  // After a failed read the image holds what the last exchange left, and that is shown.
  ApplySettings(link_.ReportImage);
  EnableBoardControls(true);
  return read;
}

void CConfigMainDialog::OnRereadDevice() {
  if (!LoadSelectedDevice()) ReportCommunicationFailure();
}

void CConfigMainDialog::ReportCommunicationFailure() {
  ShowMessage(QString::fromLatin1(kCommunicationFailure));
  EnableBoardControls(false);
}

void CConfigMainDialog::OnSaveSettings() {
  const int row = m_DeviceList->currentIndex();
  CWaitCursor wait;
  SettingsReport& image = link_.ReportImage;
  image[ReportOffset::ReportId] = 0;
  image[ReportOffset::Command] = CommandStore;
  // Byte 5 keeps what the board last reported.
  CollectSettings(image);

  const bool saved = row >= 0 && row < link_.Table().Count() && link_.SaveDeviceSettings(row) == SaveOutcome::Saved;
  // Either closing message is shown under the wait cursor.
  if (saved) {
    ShowMessage(QString::fromLatin1(kSaved));
  } else {
    ReportCommunicationFailure();
  }
}

void CConfigMainDialog::OnKeyStickSetup() { m_KeycodeDialog.DoModal(); }

void CConfigMainDialog::OnJoyMouseSetup() { m_JoyMouseDialog.DoModal(); }

void CConfigMainDialog::OnAnalogSetup() { m_AnalogDialog.DoModal(); }

void CConfigMainDialog::UpdateWiringLabels() {
  const WiringLabels* labels = WiringLabelTable(m_ModeList->currentIndex());
  if (!labels) return;
  for (int i = 0; i < WiringTerminalCount; ++i) m_PinBoxes[i]->setText(QString::fromLatin1((*labels)[i]));
}

void CConfigMainDialog::ApplySettings(const SettingsReport& image) {
  SetListSelection(m_BoardIdList, image[ReportOffset::BoardId]);
  SetListSelection(m_ModeList, image[ReportOffset::Mode]);
  UpdateWiringLabels();
  m_AnalogDialog.m_AnalogMask = image[ReportOffset::AnalogInputs];
  m_JoyMouseDialog.m_JoyMouseOptions = image[ReportOffset::JoyMouse];
  m_JoyMouseDialog.m_JoyMouseZone = ReadDeadZone(image, ReportOffset::JoyMouseDeadZone);
  m_KeycodeDialog.m_KeyStickZone = ReadDeadZone(image, ReportOffset::KeyStickDeadZone);
  std::copy_n(image.begin() + ReportOffset::KeyStickKeys, KeyStickKeyCount, m_KeycodeDialog.m_KeyCodes.begin());
}

void CConfigMainDialog::CollectSettings(SettingsReport& image) const {
  image[ReportOffset::BoardId] = ListSelection(m_BoardIdList);
  image[ReportOffset::Mode] = ListSelection(m_ModeList);
  image[ReportOffset::AnalogInputs] = m_AnalogDialog.m_AnalogMask;
  image[ReportOffset::JoyMouse] = m_JoyMouseDialog.m_JoyMouseOptions;
  WriteDeadZone(image, ReportOffset::JoyMouseDeadZone, m_JoyMouseDialog.m_JoyMouseZone);
  WriteDeadZone(image, ReportOffset::KeyStickDeadZone, m_KeycodeDialog.m_KeyStickZone);
  std::copy(m_KeycodeDialog.m_KeyCodes.begin(), m_KeycodeDialog.m_KeyCodes.end(),
            image.begin() + ReportOffset::KeyStickKeys);
}

void CConfigMainDialog::OnImportSettings() {
  const QString path = AskSettingsFileName(FileDialogKind::Open, Window());
  if (path.isEmpty()) return;

  SettingsReport image{};
  switch (ReadSettingsFile(QFile::encodeName(path).toStdString(), image)) {
    case FileReadOutcome::OpenFailed:
      ShowMessage(QString::fromLatin1(kCannotRead));
      return;
    case FileReadOutcome::Corrupt:
      ShowMessage(QString::fromLatin1(kCorrupt));
      return;
    case FileReadOutcome::Ok:
      // The file's bytes 0, 1 and 5 are not used; no board is touched.
      ApplySettings(image);
      ShowMessage(QString::fromLatin1(kLoaded));
      return;
  }
}

void CConfigMainDialog::OnExportSettings() {
  const QString path = AskSettingsFileName(FileDialogKind::Save, Window());
  if (path.isEmpty()) return;

  // Bytes 0, 1 and 5 of an exported image are 0.
  SettingsReport image{};
  CollectSettings(image);
  switch (WriteSettingsFile(QFile::encodeName(path).toStdString(), image)) {
    case FileWriteOutcome::OpenFailed:
      ShowMessage(QString::fromLatin1(kCannotWrite));
      return;
    case FileWriteOutcome::WriteFailed:
      ShowMessage(QString::fromLatin1(kWriteError));
      return;
    case FileWriteOutcome::Ok:
      ShowMessage(QString::fromLatin1(kExported));
      return;
  }
}

void CConfigMainDialog::OnSysCommand(int id) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDialog about;
    about.DoModal();
  } else {
    CDialog::OnSysCommand(id);
  }
}

}  // namespace qor::ui
