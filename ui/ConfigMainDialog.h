#pragma once
// The main window: lists the boards, shows the selected board's settings,
// starts every board transaction and settings-file operation, and owns all
// settings between transfers.

#include <array>
#include <string>

#include "device/DeviceLink.h"
#include "device/NoBoardsHint.h"
#include "settings/SettingsReport.h"
#include "ui/SetupDialogs.h"
#include "ui/WiringLabels.h"
#include "ui/framework/Dialog.h"

namespace qor::ui {

class CConfigMainDialog : public CDialog {
 public:
  // A scan that opens no board adds the platform's hint, if any, to its message.
  explicit CConfigMainDialog(DeviceLink& link, NoBoardsHint* noBoardsHint = nullptr);

  void ScanDevices();
  bool LoadSelectedDevice();
  void OnRereadDevice();
  void ReportCommunicationFailure();
  void OnSaveSettings();
  void OnKeyStickSetup();
  void OnJoyMouseSetup();
  void OnAnalogSetup();
  void OnImportSettings();
  void OnExportSettings();
  void UpdateWiringLabels();
  void ApplySettings(const SettingsReport& image);
  void CollectSettings(SettingsReport& image) const;
  void OnSysCommand(int id) override;

  // The application icon.
  const int m_hIcon = res::IDR_MAINFRAME;
  CKeycodeDialog m_KeycodeDialog;
  CJoyMouseDialog m_JoyMouseDialog;
  CAnalogDialog m_AnalogDialog;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;

 private:
  void EnableBoardControls(bool enable);
  void AddToolTips();
  std::string NoDevicesMessage() const;

  DeviceLink& m_Link;
  NoBoardsHint* m_NoBoardsHint;
  CComboBox m_DeviceList;
  CButton m_ScanButton;
  CButton m_RereadButton;
  CButton m_SaveButton;
  CButton m_DoneButton;
  CToolTipCtrl m_ToolTip;
  CEdit m_GroundBox;
  CEdit m_PowerBox;
  CComboBox m_BoardIdList;
  CComboBox m_ModeList;
  std::array<CEdit, WiringTerminalCount> m_PinBoxes;
  CButton m_KeyStickButton;
  CButton m_AnalogButton;
  CButton m_JoyMouseButton;
  CButton m_ImportButton;
  CButton m_ExportButton;
};

}  // namespace qor::ui
