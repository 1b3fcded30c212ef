#include "ui/ConfigMainDialog.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "settings/SettingsFile.h"
#include "settings/SettingsImages.h"
#include "ui/AboutDialog.h"
#include "ui/framework/FileDialogs.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/Resources.h"
#include "ui/framework/WaitCursor.h"

namespace qor::ui {
namespace {

// The low byte of the selected index: 255 for a list without a selection.
std::uint8_t ListSelection(const CComboBox& list) { return static_cast<std::uint8_t>(list.GetCurSel()); }

// A board's single-byte text (Latin-1) in UTF-8.
std::string Utf8FromLatin1(std::string_view text) {
  std::string utf8;
  for (const unsigned char c : text) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

CConfigMainDialog::CConfigMainDialog(DeviceLink& link, NoBoardsHint* noBoardsHint)
    : CDialog(res::IDD_QORCONFIG_DIALOG), m_Link(link), m_NoBoardsHint(noBoardsHint) {}

void CConfigMainDialog::DoDataExchange() {
  BindControl(res::IDC_DEVICE_LIST, m_DeviceList);
  BindControl(res::IDC_SCAN_DEVICES, m_ScanButton);
  BindControl(res::IDC_REREAD_DEVICE, m_RereadButton);
  BindControl(res::IDC_SAVE_SETTINGS, m_SaveButton);
  BindControl(res::IDOK, m_DoneButton);
  BindControl(res::IDC_GROUND, m_GroundBox);
  BindControl(res::IDC_POWER, m_PowerBox);
  BindControl(res::IDC_BOARD_ID_LIST, m_BoardIdList);
  BindControl(res::IDC_MODE_LIST, m_ModeList);
  for (int i = 0; i < WiringTerminalCount; ++i) BindControl(WiringTerminalIds[i], m_PinBoxes[i]);
  BindControl(res::IDC_KEYSTICK_SETUP, m_KeyStickButton);
  BindControl(res::IDC_ANALOG_SETUP, m_AnalogButton);
  BindControl(res::IDC_JOYMOUSE_SETUP, m_JoyMouseButton);
  BindControl(res::IDC_IMPORT_SETTINGS, m_ImportButton);
  BindControl(res::IDC_EXPORT_SETTINGS, m_ExportButton);
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

  const std::string about = ResourceString(res::IDS_ABOUTBOX);
  if (!about.empty()) AppendSystemMenu(about, res::IDM_ABOUTBOX);

  SetIcon(m_hIcon);
  AddToolTips();

  m_GroundBox.SetWindowText(ResourceString(res::IDS_GROUND));
  m_PowerBox.SetWindowText(ResourceString(res::IDS_POWER));

  // Neither list has a selection until a board or the user gives it one.
  m_BoardIdList.ResetContent();
  for (int id = 1; id <= BoardIdCount; ++id) m_BoardIdList.AddString(std::to_string(id));
  m_ModeList.ResetContent();
  for (int mode = 0; mode < ModeCount; ++mode) m_ModeList.AddString(ModeListText(mode));

  ScanDevices();
  return true;
}

void CConfigMainDialog::AddToolTips() {
  const std::pair<const CWnd&, int> tips[] = {
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
  for (const auto& [control, text] : tips) m_ToolTip.AddTool(control, ResourceString(text));
}

void CConfigMainDialog::EnableBoardControls(bool enable) {
  for (CWnd* control : std::initializer_list<CWnd*>{&m_SaveButton, &m_AnalogButton, &m_JoyMouseButton, &m_BoardIdList,
                                                    &m_ImportButton, &m_ExportButton, &m_KeyStickButton})
    control->EnableWindow(enable);
}

void CConfigMainDialog::ScanDevices() {
  m_DeviceList.ResetContent();
  DeviceTable& table = m_Link.Table();
  table.Scan();
  for (int row = 0; row < table.Count(); ++row) {
    // A board whose identification fails is listed without a text, never
    // with the text of the board before it.
    std::memset(m_Link.IdentificationText, 0, sizeof m_Link.IdentificationText);
    m_Link.IdentifyDevice(row, m_Link.IdentificationText, sizeof m_Link.IdentificationText);
    const std::string_view text(m_Link.IdentificationText,
                                ::strnlen(m_Link.IdentificationText, sizeof m_Link.IdentificationText));
    m_DeviceList.AddString(std::to_string(row + 1) + ": " + Utf8FromLatin1(text));
  }
  m_DeviceList.SetCurSel(0);

  if (table.Count() > 0) {
    m_DeviceList.EnableWindow(true);
    m_RereadButton.EnableWindow(true);
    // Settings that were never read must not look loaded.
    OnRereadDevice();
  } else {
    m_DeviceList.EnableWindow(false);
    m_RereadButton.EnableWindow(false);
    EnableBoardControls(false);
    ShowMessage(NoDevicesMessage());
  }
}

// What the platform can tell of attached boards it could not open stands on
// a line of its own below the usual text.
std::string CConfigMainDialog::NoDevicesMessage() const {
  std::string message = ResourceString(res::IDS_NO_DEVICES);
  const std::string hint = m_NoBoardsHint ? m_NoBoardsHint->Hint(m_Link.Table().Unopened()) : std::string();
  if (!hint.empty()) message += "\n" + hint;
  return message;
}

bool CConfigMainDialog::LoadSelectedDevice() {
  const int row = m_DeviceList.GetCurSel();
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
  const int row = m_DeviceList.GetCurSel();
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
  const WiringLabels* labels = WiringLabelTable(m_ModeList.GetCurSel());
  if (!labels) return;
  for (int i = 0; i < WiringTerminalCount; ++i) m_PinBoxes[i].SetWindowText((*labels)[i]);
}

void CConfigMainDialog::ApplySettings(const SettingsReport& image) {
  // A byte outside a list leaves it without a selection.
  m_BoardIdList.SetCurSel(image[report_offset::BoardId]);
  m_ModeList.SetCurSel(image[report_offset::Mode]);
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
  const std::string path = AskSettingsFileName(FileDialogKind::Open);
  if (path.empty()) return;

  SettingsReport image{};
  switch (ReadSettingsFile(path, image).Outcome) {
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
  const std::string path = AskSettingsFileName(FileDialogKind::Save);
  if (path.empty()) return;

  SettingsReport settings{};
  CollectSettings(settings);
  switch (WriteSettingsFile(path, ExportImage(settings)).Outcome) {
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
