#pragma once
// The main window: lists the boards, shows the selected board's settings,
// starts every board transaction and settings-file operation, and owns all
// settings between transfers.

#include <QIcon>
#include <array>

#include "device/AccessAdvice.h"
#include "device/BoardProbe.h"
#include "device/DeviceLink.h"
#include "settings/SettingsReport.h"
#include "ui/SetupDialogs.h"
#include "ui/WiringLabels.h"
#include "ui/framework/Dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace qor::ui {

class CConfigMainDialog : public CDialog {
 public:
  // With a probe, a scan that opens no board says which attached boards this
  // user may not open and points to the installed access rules.
  explicit CConfigMainDialog(DeviceLink& link, BoardProbe* probe = nullptr, InstalledRules rules = {});

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
  QString NoDevicesMessage() const;

  DeviceLink& m_Link;
  BoardProbe* m_Probe;
  InstalledRules m_Rules;
  QIcon m_hIcon;
  QComboBox* m_DeviceList = nullptr;
  QPushButton* m_ScanButton = nullptr;
  QPushButton* m_RereadButton = nullptr;
  QPushButton* m_SaveButton = nullptr;
  QPushButton* m_DoneButton = nullptr;
  QLineEdit* m_GroundBox = nullptr;
  QLineEdit* m_PowerBox = nullptr;
  QComboBox* m_BoardIdList = nullptr;
  QComboBox* m_ModeList = nullptr;
  std::array<QLineEdit*, WiringTerminalCount> m_PinBoxes{};
  QPushButton* m_KeyStickButton = nullptr;
  QPushButton* m_AnalogButton = nullptr;
  QPushButton* m_JoyMouseButton = nullptr;
  QPushButton* m_ImportButton = nullptr;
  QPushButton* m_ExportButton = nullptr;
};

}  // namespace qor::ui
