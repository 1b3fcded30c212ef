#include "ui/DeadZoneDialog.h"

namespace qor::ui {

CDeadZoneDialog::CDeadZoneDialog(int templateId) : CDialog(templateId) {}

void CDeadZoneDialog::DoDataExchange() {
  for (std::size_t i = 0; i < DeadZoneEdits::UpDownIds.size(); ++i)
    BindControl(DeadZoneEdits::UpDownIds[i], m_ZoneEdits.UpDowns()[i]);
  BindControl(res::IDC_ZONE_PREVIEW, m_Preview);
}

void CDeadZoneDialog::MessageMap() {
  for (const res::ControlId id : DeadZoneEdits::EditIds) OnEditChange(id, &CDeadZoneDialog::OnZoneEditChange);
  for (const res::ControlId id : DeadZoneEdits::EditIds) OnKillFocus(id, &CDeadZoneDialog::OnZoneEditKillFocus);
}

void CDeadZoneDialog::ShowZone(const DeadZone& zone) {
  m_ZoneEdits.SetRanges();
  // Each position written raises a text change; the flag keeps them from the
  // preview until the whole zone is shown.
  m_ZoneEdits.SetPositions(zone);
  m_ZoneEdits.ShowOn(m_Preview);
  m_bInitialized = true;
}

void CDeadZoneDialog::StopPreview() {
  m_Preview.UnregisterJoystickInput();
  m_bInitialized = false;
}

void CDeadZoneDialog::OnZoneEditChange() {
  if (m_bInitialized) m_ZoneEdits.ShowOn(m_Preview);
}

void CDeadZoneDialog::OnZoneEditKillFocus() { m_ZoneEdits.Rewrite(); }

}  // namespace qor::ui
