#include "ui/framework/Controls.h"

#include "ui/framework/Dialog.h"

namespace qor::ui {

DialogHost& CWnd::Host() const {
  if (!m_Dialog) CDialog::UnboundControl();
  return m_Dialog->Host(m_Id);
}

bool CWnd::HasWindow() const { return m_Dialog && m_Dialog->GetHost(); }

void CWnd::EnableWindow(bool enable) { Host().EnableWindow(m_Id, enable); }
bool CWnd::IsWindowEnabled() const { return Host().IsWindowEnabled(m_Id); }
void CWnd::SetWindowText(const std::string& text) { Host().SetWindowText(m_Id, text); }
std::string CWnd::GetWindowText() const { return Host().GetWindowText(m_Id); }
void CWnd::Invalidate() { Host().Invalidate(m_Id); }
Size CWnd::GetClientSize() const { return Host().GetClientSize(m_Id); }
std::uintptr_t CWnd::GetSafeHwnd() const { return HasWindow() ? Host().NativeWindow(m_Id) : 0; }

void CButton::SetCheck(bool checked) { Host().SetCheck(Id(), checked); }
bool CButton::GetCheck() const { return Host().GetCheck(Id()); }

void CComboBox::ResetContent() { Host().ResetContent(Id()); }
int CComboBox::AddString(const std::string& text) { return Host().AddString(Id(), text); }
void CComboBox::SetCurSel(int index) { Host().SetCurSel(Id(), index >= 0 && index < GetCount() ? index : -1); }
int CComboBox::GetCurSel() const { return Host().GetCurSel(Id()); }
int CComboBox::GetCount() const { return Host().GetCount(Id()); }
std::string CComboBox::GetLBText(int index) const { return Host().GetLBText(Id(), index); }

void CSpinButtonCtrl::SetRange(int lower, int upper) { Host().SetRange(Id(), lower, upper); }
void CSpinButtonCtrl::SetPos(int position) { Host().SetPos(Id(), position); }
int CSpinButtonCtrl::GetPos() const { return Host().GetPos(Id()); }

void CSliderCtrl::SetRange(int lower, int upper) { Host().SetRange(Id(), lower, upper); }
void CSliderCtrl::SetPos(int position) { Host().SetPos(Id(), position); }
int CSliderCtrl::GetPos() const { return Host().GetPos(Id()); }

}  // namespace qor::ui
