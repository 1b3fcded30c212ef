#include "ui/JoyMouseDialog.h"

#include <QCheckBox>
#include <QSlider>

namespace qor::ui {

CJoyMouseDialog::CJoyMouseDialog() : CDeadZoneDialog(res::IDD_JOYMOUSE_DIALOG) {}

void CJoyMouseDialog::DoDataExchange() {
  CDeadZoneDialog::DoDataExchange();
  m_EnableCheck = DlgItem<QCheckBox>(res::IDC_JOYMOUSE_ENABLE);
  m_SpeedSlider = DlgItem<QSlider>(res::IDC_JOYMOUSE_SPEED);
}

void CJoyMouseDialog::MessageMap() {
  OnClicked(res::IDOK, &CJoyMouseDialog::OnOkClicked);
  CDeadZoneDialog::MessageMap();
}

bool CJoyMouseDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_SpeedSlider->setRange(joy_mouse::MinSpeed, joy_mouse::MaxSpeed);
  m_EnableCheck->setChecked(joy_mouse::IsEnabled(m_JoyMouseOptions));
  // The track bar holds a speed beyond 1..32 at the nearer end.
  m_SpeedSlider->setValue(joy_mouse::Speed(m_JoyMouseOptions));
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
  m_JoyMouseOptions = joy_mouse::Make(m_EnableCheck->isChecked(), m_SpeedSlider->value());
  CDialog::OnOK();
}

}  // namespace qor::ui
