#include "ui/JoyMouseDialog.h"

#include <QCheckBox>
#include <QSlider>

#include "ui/framework/CustomControl.h"

namespace qor::ui {

CJoyMouseDialog::CJoyMouseDialog() : CDialog(res::IDD_JOYMOUSE_DIALOG) {}

void CJoyMouseDialog::DoDataExchange() {
  m_EnableCheck = DlgItem<QCheckBox>(1011);
  m_ZoneEdits.Bind(*this);
  m_SpeedSlider = DlgItem<QSlider>(1016);
  m_Preview.SubclassWindow(DlgItem<CustomControlWindow>(1095));
}

void CJoyMouseDialog::MessageMap() {
  OnClicked(res::IDOK, &CJoyMouseDialog::OnOkClicked);
  for (const int id : DeadZoneEdits::EditIds) OnEditChange(id, &CJoyMouseDialog::OnZoneEditChange);
  for (const int id : DeadZoneEdits::EditIds) OnKillFocus(id, &CJoyMouseDialog::OnZoneEditKillFocus);
}

bool CJoyMouseDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_ZoneEdits.SetRanges();
  m_SpeedSlider->setRange(JoyMouse::MinSpeed, JoyMouse::MaxSpeed);
  m_ZoneEdits.SetPositions(m_JoyMouseZone);
  m_EnableCheck->setChecked(JoyMouse::IsEnabled(m_JoyMouseOptions));
  // The track bar holds a speed beyond 1..32 at the nearer end.
  m_SpeedSlider->setValue(JoyMouse::Speed(m_JoyMouseOptions));
  m_ZoneEdits.ShowOn(m_Preview);
  m_bInitialized = true;
  return true;
}

void CJoyMouseDialog::OnCancel() {
  m_Preview.UnregisterJoystickInput();
  m_bInitialized = false;
  CDialog::OnCancel();
}

void CJoyMouseDialog::OnOkClicked() {
  if (!m_ZoneEdits.Check()) return;
  m_Preview.UnregisterJoystickInput();
  m_bInitialized = false;
  m_JoyMouseZone = m_ZoneEdits.ReadPositions();
  m_JoyMouseOptions = JoyMouse::Make(m_EnableCheck->isChecked(), m_SpeedSlider->value());
  CDialog::OnOK();
}

void CJoyMouseDialog::OnZoneEditChange() {
  if (m_bInitialized) m_ZoneEdits.ShowOn(m_Preview);
}

void CJoyMouseDialog::OnZoneEditKillFocus() { m_ZoneEdits.Rewrite(); }

}  // namespace qor::ui
