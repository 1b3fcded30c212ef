#include "ui/framework/Dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ui/framework/Toolkit.h"

namespace qor::ui {
namespace {

using res::DialogItem;
using res::ItemKind;

// "a drop-down list", "a push button or a check box"
std::string KindsText(std::span<const ItemKind> kinds) {
  std::string text;
  for (const ItemKind kind : kinds) {
    if (!text.empty()) text += " or ";
    const std::string_view name = res::ItemKindName(kind);
    text += (name.find_first_of("aeiou") == 0 ? "an " : "a ");
    text += name;
  }
  return text;
}

// What a handler of each notification needs its control to be.
std::span<const ItemKind> KindsFor(CDialog::Notification what) {
  static constexpr ItemKind Buttons[] = {ItemKind::PushButton, ItemKind::CheckBox};
  static constexpr ItemKind Lists[] = {ItemKind::DropDownList};
  static constexpr ItemKind Edits[] = {ItemKind::Edit};
  switch (what) {
    case CDialog::Notification::Clicked:
      return Buttons;
    case CDialog::Notification::SelChange:
      return Lists;
    default:
      return Edits;
  }
}

}  // namespace

CDialog::CDialog(int templateId) : m_TemplateId(templateId) {}

int CDialog::DoModal() { return toolkit::RunModal(*this, Template()); }

void CDialog::EndDialog(int result) {
  if (m_Host) m_Host->EndDialog(result);
}

const res::DialogTemplate& CDialog::Template() const {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_TemplateId);
  if (!dialogTemplate) Fault("no such template");
  return *dialogTemplate;
}

const DialogItem* CDialog::FindItem(int id) const {
  if (id == res::IDC_STATIC) return nullptr;
  const auto& items = Template().Items;
  const auto found = std::find_if(items.begin(), items.end(), [id](const DialogItem& item) { return item.Id == id; });
  return found == items.end() ? nullptr : &*found;
}

bool CDialog::HasDlgItem(int id) const { return FindItem(id) != nullptr; }

const DialogItem& CDialog::CheckedItem(res::ControlId id, std::span<const ItemKind> kinds) const {
  const DialogItem* item = FindItem(id);
  if (!item) Fault(std::string("no control ") + id.Symbol + " in the template");
  if (!kinds.empty() && std::find(kinds.begin(), kinds.end(), item->Kind) == kinds.end())
    Fault(std::string("control ") + id.Symbol + " is " + KindsText({&item->Kind, 1}) + ", not " + KindsText(kinds));
  return *item;
}

void CDialog::Attach(CWnd& control, res::ControlId id, std::span<const ItemKind> kinds) const {
  CheckedItem(id, kinds);
  Host(id);
  control.m_Dialog = this;
  control.m_Id = id;
}

void CDialog::Bound(CWnd& control) {
  if (FindItem(control.m_Id)->Kind == ItemKind::Custom) Host().Subclass(control.m_Id, control);
  m_Bound.push_back(&control);
  control.PreSubclassWindow();
}

DialogHost& CDialog::Host(res::ControlId control) const {
  if (m_Host) return *m_Host;
  if (control == res::IDC_STATIC) Fault("the window asked for while it is closed");
  Fault(std::string("control ") + control.Symbol + " asked for while the window is closed");
}

void CDialog::UnboundControl() {
  std::fprintf(stderr, "a control was used before a dialog bound it\n");
  std::abort();
}

void CDialog::Fault(const std::string& what) const {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_TemplateId);
  if (dialogTemplate)
    std::fprintf(stderr, "Dialog %d \"%s\": %s\n", m_TemplateId, dialogTemplate->Caption, what.c_str());
  else
    std::fprintf(stderr, "Dialog %d: %s\n", m_TemplateId, what.c_str());
  std::abort();
}

bool CDialog::InitDialog(DialogHost& host) {
  m_Host = &host;
  m_Bound.clear();
  m_Handlers.clear();
  MessageMap();
  // A handler names a control of the template of the kind that sends its
  // notification; OK and cancel may also come from the keys alone.
  for (const Handler& handler : m_Handlers) {
    const bool keyCommand =
        handler.What == Notification::Clicked && (handler.Id == res::IDOK || handler.Id == res::IDCANCEL);
    if (!keyCommand || HasDlgItem(handler.Id)) CheckedItem(handler.Id, KindsFor(handler.What));
  }
  return OnInitDialog();
}

bool CDialog::OnInitDialog() {
  DoDataExchange();
  return true;
}

void CDialog::DestroyWindow() {
  for (CWnd* control : m_Bound) control->OnDestroy();
  m_Bound.clear();
  m_Host = nullptr;
}

void CDialog::AddHandler(Notification what, res::ControlId id, std::function<void()> run) {
  m_Handlers.push_back({what, id, std::move(run)});
}

void CDialog::OnNotify(int id, Notification what) {
  // A window on its way out may still report, e.g. the focus leaving it.
  if (!m_Host) return;
  if (what == Notification::Clicked) {
    SendCommand(id);
    return;
  }
  for (const Handler& handler : m_Handlers)
    if (handler.What == what && handler.Id == id) handler.Run();
}

void CDialog::SendCommand(int id) {
  const auto handler = std::find_if(m_Handlers.begin(), m_Handlers.end(),
                                    [id](const Handler& h) { return h.What == Notification::Clicked && h.Id == id; });
  if (handler != m_Handlers.end()) {
    handler->Run();
  } else if (id == res::IDOK) {
    OnOK();
  } else if (id == res::IDCANCEL) {
    OnCancel();
  }
}

int CDialog::DefaultCommand() const {
  for (const DialogItem& item : Template().Items)
    if (item.Style & res::DefaultButton) return item.Id;
  return res::IDOK;
}

void CDialog::OnSysCommand(int id) {
  if (id == SC_CLOSE) SendCommand(res::IDCANCEL);
}

}  // namespace qor::ui
