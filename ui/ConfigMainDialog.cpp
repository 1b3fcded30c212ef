#include "ui/ConfigMainDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "settings/SettingsFile.h"
#include "settings/SettingsImages.h"
#include "ui/AboutDialog.h"
#include "ui/framework/FileDialogs.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/Resources.h"
#include "ui/framework/WaitCursor.h"

namespace qor::ui {
namespace {

// A value outside the list leaves it without a selection.
void SetListSelection(QComboBox* list, int index) { list->setCurrentIndex(index < list->count() ? index : -1); }

// The low byte of the selected index: 255 for a list without a selection.
std::uint8_t ListSelection(const QComboBox* list) { return static_cast<std::uint8_t>(list->currentIndex()); }

}  // namespace

CConfigMainDialog::CConfigMainDialog(DeviceLink& link, BoardProbe* probe, InstalledRules rules)
    : CDialog(res::IDD_QORCONFIG_DIALOG),
      m_Link(link),
      m_Probe(probe),
      m_Rules(std::move(rules)),
      m_hIcon(ApplicationIcon()) {}

void CConfigMainDialog::DoDataExchange() {
  m_DeviceList = DlgItem<QComboBox>(res::IDC_DEVICE_LIST);
  m_ScanButton = DlgItem<QPushButton>(res::IDC_SCAN_DEVICES);
  m_RereadButton = DlgItem<QPushButton>(res::IDC_REREAD_DEVICE);
  m_SaveButton = DlgItem<QPushButton>(res::IDC_SAVE_SETTINGS);
  m_DoneButton = DlgItem<QPushButton>(res::IDOK);
  m_GroundBox = DlgItem<QLineEdit>(res::IDC_GROUND);
  m_PowerBox = DlgItem<QLineEdit>(res::IDC_POWER);
  m_BoardIdList = DlgItem<QComboBox>(res::IDC_BOARD_ID_LIST);
  m_ModeList = DlgItem<QComboBox>(res::IDC_MODE_LIST);
  for (int i = 0; i < WiringTerminalCount; ++i) m_PinBoxes[i] = DlgItem<QLineEdit>(WiringTerminalIds[i]);
  m_KeyStickButton = DlgItem<QPushButton>(res::IDC_KEYSTICK_SETUP);
  m_AnalogButton = DlgItem<QPushButton>(res::IDC_ANALOG_SETUP);
  m_JoyMouseButton = DlgItem<QPushButton>(res::IDC_JOYMOUSE_SETUP);
  m_ImportButton = DlgItem<QPushButton>(res::IDC_IMPORT_SETTINGS);
  m_ExportButton = DlgItem<QPushButton>(res::IDC_EXPORT_SETTINGS);
}

void CConfigMainDialog::MessageMap() {
  OnClicked(res::IDC_SCAN_DEVICES, &CConfigMainDialog::ScanDevices);
  OnSelChange(res::IDC_DEVICE_LIST, &CConfigMainDialog::OnRereadDevice);
  OnClicked(res::IDC_REREAD_DEVICE, &CConfigMainDialog::OnRereadDevice);
  OnClicked(res::IDC_SAVE_SETTINGS, &CConfigMainDialog::OnSaveSettings);
  OnSelChange(res::IDC_MODE_LIST, &CConfigMainDialog::UpdateWiringLabels);
  OnClicked(res::IDC_KEYSTICK_SETUP, &CConfigMainDialog::OnKeyStickSetup);
  OnClicked(res::IDC_JOYMOUSE_SETUP, &CConfigMainDialog::OnJoyMouseSetup);
  OnClicked(res::IDC_ANALOG_SETUP, &CConfigMainDialog::OnAnalogSetup);
  OnClicked(res::IDC_IMPORT_SETTINGS, &CConfigMainDialog::OnImportSettings);
  OnClicked(res::IDC_EXPORT_SETTINGS, &CConfigMainDialog::OnExportSettings);
}

bool CConfigMainDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  const QString about = ResourceString(res::IDS_ABOUTBOX);
  if (!about.isEmpty()) AppendSystemMenu(about, res::IDM_ABOUTBOX);

  Window()->setWindowIcon(m_hIcon);
  AddToolTips();

  m_GroundBox->setText(ResourceString(res::IDS_GROUND));
  m_PowerBox->setText(ResourceString(res::IDS_POWER));

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
  const std::pair<QWidget*, int> tips[] = {
      {m_ScanButton, res::IDS_TIP_SCAN_DEVICES},
      {m_RereadButton, res::IDS_TIP_REREAD_DEVICE},
      {m_DeviceList, res::IDS_TIP_DEVICE_LIST},
      {m_SaveButton, res::IDS_TIP_SAVE_SETTINGS},
      {m_DoneButton, res::IDS_TIP_DONE},
      {m_AnalogButton, res::IDS_TIP_ANALOG_SETUP},
      {m_KeyStickButton, res::IDS_TIP_KEYSTICK_SETUP},
      {m_JoyMouseButton, res::IDS_TIP_JOYMOUSE_SETUP},
      {m_ImportButton, res::IDS_TIP_IMPORT_SETTINGS},
      {m_ExportButton, res::IDS_TIP_EXPORT_SETTINGS},
  };
  for (const auto& [control, text] : tips) control->setToolTip(ResourceString(text));
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
  DeviceTable& table = m_Link.Table();
  table.Scan();
  for (int row = 0; row < table.Count(); ++row) {
    // A board whose identification fails is listed without a text, never
    // with the text of the board before it.
    std::memset(m_Link.IdentificationText, 0, sizeof m_Link.IdentificationText);
    m_Link.IdentifyDevice(row, m_Link.IdentificationText, sizeof m_Link.IdentificationText);
    m_DeviceList->addItem(QStringLiteral("%1: %2").arg(row + 1).arg(QString::fromLatin1(m_Link.IdentificationText)));
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
    ShowMessage(NoDevicesMessage());
  }
}

// Boards that are attached but closed to this user are named, with the one
// thing to do, on a line of their own below the usual text.
QString CConfigMainDialog::NoDevicesMessage() const {
  QString message = ResourceString(res::IDS_NO_DEVICES);
  if (!m_Probe) return message;
  std::vector<std::string> denied;
  for (const UnopenableBoard& board : m_Probe->UnopenableBoards()) {
    if (IsAccessDenied(board.Error)) denied.push_back(board.Path);
  }
  if (!denied.empty()) message += QStringLiteral("\n") + QString::fromStdString(AccessAdvice(denied, m_Rules));
  return message;
}

bool CConfigMainDialog::LoadSelectedDevice() {
  const int row = m_DeviceList->currentIndex();
  const bool read = row >= 0 && row < m_Link.Table().Count() && m_Link.ReadDeviceSettings(row);
  // After a failed read the image holds what the last exchange left, and that is shown.
  ApplySettings(m_Link.ReportImage());
  EnableBoardControls(true);
  return read;
}

void CConfigMainDialog::OnRereadDevice() {
  if (!LoadSelectedDevice()) ReportCommunicationFailure();
}

void CConfigMainDialog::ReportCommunicationFailure() {
  ShowMessage(ResourceString(res::IDS_COMMUNICATION_FAILURE));
  EnableBoardControls(false);
}

void CConfigMainDialog::OnSaveSettings() {
  const int row = m_DeviceList->currentIndex();
  CWaitCursor wait;
  SettingsReport settings{};
  CollectSettings(settings);
  // Byte 5 keeps what the board last reported.
  const SettingsReport image = SaveImage(settings, m_Link.ReportImage());

  const bool saved =
      row >= 0 && row < m_Link.Table().Count() && m_Link.SaveDeviceSettings(row, image) == SaveOutcome::Saved;
  // Either closing message is shown under the wait cursor.
  if (saved) {
    ShowMessage(ResourceString(res::IDS_SETTINGS_SAVED));
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
  SetListSelection(m_BoardIdList, image[report_offset::BoardId]);
  SetListSelection(m_ModeList, image[report_offset::Mode]);
  UpdateWiringLabels();
  m_AnalogDialog.m_AnalogMask = image[report_offset::AnalogInputs];
  m_JoyMouseDialog.m_JoyMouseOptions = image[report_offset::JoyMouse];
  m_JoyMouseDialog.m_JoyMouseZone = ReadDeadZone(image, report_offset::JoyMouseDeadZone);
  m_KeycodeDialog.m_KeyStickZone = ReadDeadZone(image, report_offset::KeyStickDeadZone);
  std::copy_n(image.begin() + report_offset::KeyStickKeys, KeyStickKeyCount, m_KeycodeDialog.m_KeyCodes.begin());
}

void CConfigMainDialog::CollectSettings(SettingsReport& image) const {
  image[report_offset::BoardId] = ListSelection(m_BoardIdList);
  image[report_offset::Mode] = ListSelection(m_ModeList);
  image[report_offset::AnalogInputs] = m_AnalogDialog.m_AnalogMask;
  image[report_offset::JoyMouse] = m_JoyMouseDialog.m_JoyMouseOptions;
  WriteDeadZone(image, report_offset::JoyMouseDeadZone, m_JoyMouseDialog.m_JoyMouseZone);
  WriteDeadZone(image, report_offset::KeyStickDeadZone, m_KeycodeDialog.m_KeyStickZone);
  std::copy(m_KeycodeDialog.m_KeyCodes.begin(), m_KeycodeDialog.m_KeyCodes.end(),
            image.begin() + report_offset::KeyStickKeys);
}

void CConfigMainDialog::OnImportSettings() {
  const QString path = AskSettingsFileName(FileDialogKind::Open, Window());
  if (path.isEmpty()) return;

  SettingsReport image{};
  switch (ReadSettingsFile(QFile::encodeName(path).toStdString(), image).Outcome) {
    case FileReadOutcome::OpenFailed:
      ShowMessage(ResourceString(res::IDS_FILE_CANNOT_READ));
      return;
    case FileReadOutcome::Corrupt:
    case FileReadOutcome::TooLong:  // asked for by nobody here: a longer file imports its first 33 bytes
      ShowMessage(ResourceString(res::IDS_FILE_CORRUPT));
      return;
    case FileReadOutcome::Ok:
      // The file's bytes 0, 1 and 5 are not used; no board is touched.
      ApplySettings(image);
      ShowMessage(ResourceString(res::IDS_SETTINGS_LOADED));
      return;
  }
}

void CConfigMainDialog::OnExportSettings() {
  const QString path = AskSettingsFileName(FileDialogKind::Save, Window());
  if (path.isEmpty()) return;

  SettingsReport settings{};
  CollectSettings(settings);
  switch (WriteSettingsFile(QFile::encodeName(path).toStdString(), ExportImage(settings)).Outcome) {
    case FileWriteOutcome::OpenFailed:
      ShowMessage(ResourceString(res::IDS_FILE_CANNOT_WRITE));
      return;
    case FileWriteOutcome::WriteFailed:
      ShowMessage(ResourceString(res::IDS_FILE_WRITE_ERROR));
      return;
    case FileWriteOutcome::Ok:
      ShowMessage(ResourceString(res::IDS_SETTINGS_EXPORTED));
      return;
  }
}

void CConfigMainDialog::OnSysCommand(int id) {
  if ((id & 0xFFF0) == res::IDM_ABOUTBOX) {
    CAboutDialog about;
    about.DoModal();
  } else {
    CDialog::OnSysCommand(id);
  }
}

}  // namespace qor::ui
