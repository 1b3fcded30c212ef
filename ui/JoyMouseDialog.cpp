#include "ui/JoyMouseDialog.h"

namespace qor::ui {

CJoyMouseDialog::CJoyMouseDialog() : CDeadZoneDialog(res::IDD_JOYMOUSE_DIALOG) {}

void CJoyMouseDialog::DoDataExchange() {
  CDeadZoneDialog::DoDataExchange();
  BindControl(res::IDC_JOYMOUSE_ENABLE, m_EnableCheck);
  BindControl(res::IDC_JOYMOUSE_SPEED, m_SpeedSlider);
}

void CJoyMouseDialog::MessageMap() {
  OnClicked(res::IDOK, &CJoyMouseDialog::OnOkClicked);
  CDeadZoneDialog::MessageMap();
}

bool CJoyMouseDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_SpeedSlider.SetRange(joy_mouse::MinSpeed, joy_mouse::MaxSpeed);
  m_EnableCheck.SetCheck(joy_mouse::IsEnabled(m_JoyMouseOptions));
  // The track bar holds a speed beyond 1..32 at the nearer end.
  m_SpeedSlider.SetPos(joy_mouse::Speed(m_JoyMouseOptions));
  ShowZone(m_JoyMouseZone);
  return true;
}

void CJoyMouseDialog::OnCancel() {
  StopPreview();
  CDialog::OnCancel();
}

void CJoyMouseDialog::OnOkClicked() {
  if (!m_ZoneEdits.Check()) return;
  StopPreview();
  m_JoyMouseZone = m_ZoneEdits.ReadPositions();
  m_JoyMouseOptions = joy_mouse::Make(m_EnableCheck.GetCheck(), m_SpeedSlider.GetPos());
  CDialog::OnOK();
}

}  // namespace qor::ui
