#include "ui/KeycodeDialog.h"

#include "settings/KeyCodeTable.h"

namespace qor::ui {

CKeycodeDialog::CKeycodeDialog() : CDeadZoneDialog(res::IDD_KEYCODE_DIALOG) {}

void CKeycodeDialog::DoDataExchange() {
  CDeadZoneDialog::DoDataExchange();
  for (std::size_t j = 0; j < m_KeySelectors.size(); ++j) BindControl(KeySelectorIds[j], m_KeySelectors[j]);
}

void CKeycodeDialog::MessageMap() {
  // "Ok" is command 2, so Escape and the close box store too.
  OnClicked(res::IDCANCEL, &CKeycodeDialog::OnOkClicked);
  CDeadZoneDialog::MessageMap();
}

bool CKeycodeDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int index = 0; index < KeyCodeTable::Count; ++index) {
    const std::string name = KeyCodeTable::NameAt(index);
    for (CComboBox& selector : m_KeySelectors) selector.AddString(name);
  }
  KeyCodeTable::BuildReverseMap();
  for (std::size_t j = 0; j < m_KeySelectors.size(); ++j)
    m_KeySelectors[j].SetCurSel(KeyCodeTable::IndexOfCode(m_KeyCodes[j]));
  ShowZone(m_KeyStickZone);
  return true;
}

void CKeycodeDialog::OnOK() {
  StopPreview();
  CDialog::OnOK();
}

void CKeycodeDialog::OnOkClicked() {
  if (!m_ZoneEdits.Check()) return;
  StopPreview();
  for (std::size_t j = 0; j < m_KeySelectors.size(); ++j)
    m_KeyCodes[j] = KeyCodeTable::CodeAt(m_KeySelectors[j].GetCurSel());
  m_KeyStickZone = m_ZoneEdits.ReadPositions();
  CDialog::OnCancel();
}

}  // namespace qor::ui
