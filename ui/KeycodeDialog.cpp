#include "ui/KeycodeDialog.h"

#include <QComboBox>

#include "settings/KeyCodeTable.h"
#include "ui/framework/CustomControl.h"

namespace qor::ui {

CKeycodeDialog::CKeycodeDialog() : CDialog(res::IDD_KEYCODE_DIALOG) {}

void CKeycodeDialog::DoDataExchange() {
  m_ZoneEdits.Bind(*this);
  for (std::size_t j = 0; j < m_KeySelectors.size(); ++j) m_KeySelectors[j] = DlgItem<QComboBox>(KeySelectorIds[j]);
  m_Preview.SubclassWindow(DlgItem<CustomControlWindow>(1095));
}

void CKeycodeDialog::MessageMap() {
  // "Ok" is command 2, so Escape and the close box store too.
  OnClicked(res::IDCANCEL, &CKeycodeDialog::OnOkClicked);
  for (const int id : DeadZoneEdits::EditIds) OnEditChange(id, &CKeycodeDialog::OnZoneEditChange);
  for (const int id : DeadZoneEdits::EditIds) OnKillFocus(id, &CKeycodeDialog::OnZoneEditKillFocus);
}

bool CKeycodeDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int index = 0; index < KeyCodeTable::Count; ++index) {
    const QString name = QString::fromLatin1(KeyCodeTable::NameAt(index));
    for (const auto& selector : m_KeySelectors) selector->addItem(name);
  }
  KeyCodeTable::BuildReverseMap();
  for (std::size_t j = 0; j < m_KeySelectors.size(); ++j)
    m_KeySelectors[j]->setCurrentIndex(KeyCodeTable::IndexOfCode(m_KeyCodes[j]));
  m_ZoneEdits.SetRanges();
  m_ZoneEdits.SetPositions(m_KeyStickZone);
  m_ZoneEdits.ShowOn(m_Preview);
  m_bInitialized = true;
  return true;
}

void CKeycodeDialog::OnOK() {
  m_Preview.UnregisterJoystickInput();
  m_bInitialized = false;
  CDialog::OnOK();
}

void CKeycodeDialog::OnOkClicked() {
  if (!m_ZoneEdits.Check()) return;
  m_Preview.UnregisterJoystickInput();
  for (std::size_t j = 0; j < m_KeySelectors.size(); ++j)
    m_KeyCodes[j] = KeyCodeTable::CodeAt(m_KeySelectors[j]->currentIndex());
  m_KeyStickZone = m_ZoneEdits.ReadPositions();
  m_bInitialized = false;
  CDialog::OnCancel();
}

void CKeycodeDialog::OnZoneEditChange() {
  if (m_bInitialized) m_ZoneEdits.ShowOn(m_Preview);
}

void CKeycodeDialog::OnZoneEditKillFocus() { m_ZoneEdits.Rewrite(); }

}  // namespace qor::ui
