#include "ui/AnalogDialog.h"

namespace qor::ui {

CAnalogDialog::CAnalogDialog() : CDialog(res::IDD_ANALOG_DIALOG) {}

void CAnalogDialog::DoDataExchange() {
  for (std::size_t bit = 0; bit < m_AnalogChecks.size(); ++bit) BindControl(CheckBoxIds[bit], m_AnalogChecks[bit]);
}

void CAnalogDialog::MessageMap() { OnClicked(res::IDOK, &CAnalogDialog::OnOkClicked); }

bool CAnalogDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (std::size_t bit = 0; bit < m_AnalogChecks.size(); ++bit)
    m_AnalogChecks[bit].SetCheck(m_AnalogMask & (1u << bit));
  return true;
}

void CAnalogDialog::OnOkClicked() {
  // The whole byte is written: bits 6 and 7 become 0.
  int mask = 0;
  for (std::size_t bit = 0; bit < m_AnalogChecks.size(); ++bit) mask += (m_AnalogChecks[bit].GetCheck() ? 1 : 0) << bit;
  m_AnalogMask = static_cast<std::uint8_t>(mask);
  CDialog::OnOK();
}

}  // namespace qor::ui
