#include "ui/framework/win32/DialogWindow.h"

#include <algorithm>

#include "ui/framework/Dialog.h"
#include "ui/framework/win32/CustomControl.h"
#include "ui/framework/win32/DialogTemplateBuilder.h"
#include "ui/framework/win32/Pictures.h"
#include "ui/framework/win32/Text.h"

namespace qor::ui::win32 {
namespace {

using res::ItemKind;
using Notification = CDialog::Notification;

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

}  // namespace

DialogWindow::DialogWindow(CDialog& dialog, const res::DialogTemplate& dialogTemplate)
    : m_Dialog(dialog), m_Template(dialogTemplate) {
  for (const res::DialogItem& item : dialogTemplate.Items)
    if (item.Id != res::IDC_STATIC) m_Kinds[item.Id] = item.Kind;
}

DialogWindow::~DialogWindow() {
  for (HICON icon : m_Icons) DestroyIcon(icon);
  for (HBITMAP bitmap : m_Bitmaps) DeleteObject(bitmap);
}

int DialogWindow::Run(HWND owner) {
  const std::vector<std::uint16_t> block = BuildDialogTemplate(m_Template);
  const INT_PTR result =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(block.data()), owner,
                              &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
  return static_cast<int>(result);
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogWindow*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->m_Window = window;
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  return self ? self->OnMessage(message, wParam) : FALSE;
}

INT_PTR DialogWindow::OnMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      m_Dpi = GetDpiForWindow(m_Window);
      LoadPictures();
      // TRUE lets the dialog manager focus the first tab stop.
      return m_Dialog.InitDialog(*this) ? TRUE : FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND: {
      const int command = static_cast<int>(wParam & 0xFFF0);
      const bool own = std::find(m_SystemCommands.begin(), m_SystemCommands.end(), command) != m_SystemCommands.end();
      if (command != CDialog::SC_CLOSE && !own) return FALSE;
      m_Dialog.OnSysCommand(command);
      SetWindowLongPtrW(m_Window, DWLP_MSGRESULT, 0);
      return TRUE;
    }
    case WM_DPICHANGED:
      // The dialog manager rescales the layout and the fonts; the pictures
      // are chosen again for the new DPI.
      m_Dpi = LOWORD(wParam);
      LoadPictures();
      if (m_IconResource) SetIcon(m_IconResource);
      return FALSE;
    case WM_DESTROY:
      m_Dialog.DestroyWindow();
      return FALSE;
    default:
      return FALSE;
  }
}

void DialogWindow::OnCommand(int id, int code) {
  const auto kind = m_Kinds.find(id);
  // Enter and Escape send IDOK and IDCANCEL with no control behind them.
  if (kind == m_Kinds.end()) {
    if (code == BN_CLICKED && (id == res::IDOK || id == res::IDCANCEL)) m_Dialog.OnNotify(id, Notification::Clicked);
    return;
  }
  switch (kind->second) {
    case ItemKind::PushButton:
    case ItemKind::CheckBox:
      if (code == BN_CLICKED) m_Dialog.OnNotify(id, Notification::Clicked);
      return;
    // Only a user's choice sends CBN_SELCHANGE; CB_SETCURSEL does not.
    case ItemKind::DropDownList:
      if (code == CBN_SELCHANGE) m_Dialog.OnNotify(id, Notification::SelChange);
      return;
    case ItemKind::Edit:
      if (code == EN_CHANGE) m_Dialog.OnNotify(id, Notification::EditChange);
      if (code == EN_KILLFOCUS) m_Dialog.OnNotify(id, Notification::KillFocus);
      return;
    default:
      return;
  }
}

void DialogWindow::LoadPictures() {
  for (const res::DialogItem& item : m_Template.Items) {
    if (item.Kind != ItemKind::Bitmap && item.Kind != ItemKind::Icon) continue;
    // Pictures are statics without IDs: found by their place in the template.
    const auto index = static_cast<std::size_t>(&item - m_Template.Items.data());
    HWND control = GetWindow(m_Window, GW_CHILD);
    for (std::size_t i = 0; control && i < index; ++i) control = GetWindow(control, GW_HWNDNEXT);
    if (!control) continue;
    RECT client;
    GetClientRect(control, &client);
    if (item.Kind == ItemKind::Icon) {
      HICON icon = LoadIconResource(item.Resource, client.right, client.bottom);
      if (!icon) continue;
      m_Icons.push_back(icon);
      SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    } else {
      HBITMAP bitmap = LoadBitmapForDpi(item.Resource, m_Dpi);
      if (!bitmap) continue;
      m_Bitmaps.push_back(bitmap);
      SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
  }
}

void DialogWindow::EnableWindow(int id, bool enable) { ::EnableWindow(Item(id), enable); }
bool DialogWindow::IsWindowEnabled(int id) const { return ::IsWindowEnabled(Item(id)); }

void DialogWindow::SetWindowText(int id, const std::string& text) { SetWindowTextW(Item(id), Wide(text).c_str()); }
std::string DialogWindow::GetWindowText(int id) const { return WindowText(Item(id)); }

void DialogWindow::ResetContent(int id) { Send(id, CB_RESETCONTENT); }

int DialogWindow::AddString(int id, const std::string& text) {
  const std::wstring wide = Wide(text);
  return static_cast<int>(Send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

void DialogWindow::SetCurSel(int id, int index) { Send(id, CB_SETCURSEL, static_cast<WPARAM>(index)); }
int DialogWindow::GetCurSel(int id) const { return static_cast<int>(Send(id, CB_GETCURSEL)); }
int DialogWindow::GetCount(int id) const { return static_cast<int>(Send(id, CB_GETCOUNT)); }

std::string DialogWindow::GetLBText(int id, int index) const {
  const LRESULT length = Send(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      Send(id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
  return Utf8(text);
}

void DialogWindow::SetCheck(int id, bool checked) { Send(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
bool DialogWindow::GetCheck(int id) const { return Send(id, BM_GETCHECK) == BST_CHECKED; }

void DialogWindow::SetRange(int id, int lower, int upper) {
  if (m_Kinds.at(id) == ItemKind::UpDown) {
    Send(id, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
  } else {
    Send(id, TBM_SETRANGEMIN, FALSE, lower);
    Send(id, TBM_SETRANGEMAX, TRUE, upper);
  }
}

void DialogWindow::SetPos(int id, int position) {
  if (m_Kinds.at(id) == ItemKind::UpDown) {
    int lower = 0, upper = 0;
    Send(id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    Send(id, UDM_SETPOS32, 0, std::clamp(position, std::min(lower, upper), std::max(lower, upper)));
  } else {
    Send(id, TBM_SETPOS, TRUE, position);
  }
}

int DialogWindow::GetPos(int id) {
  // An up-down reads its buddy's number, which becomes its position when it
  // is within the range; otherwise it answers its last one.
  if (m_Kinds.at(id) == ItemKind::UpDown) return static_cast<int>(Send(id, UDM_GETPOS32));
  return static_cast<int>(Send(id, TBM_GETPOS));
}

void DialogWindow::Subclass(int id, CWnd& control) { SubclassCustomControl(Item(id), &control); }
void DialogWindow::Invalidate(int id) { InvalidateRect(Item(id), nullptr, TRUE); }

Size DialogWindow::GetClientSize(int id) const {
  RECT client;
  GetClientRect(Item(id), &client);
  return Size{client.right, client.bottom};
}

void DialogWindow::SetIcon(int resource) {
  m_IconResource = resource;
  const UINT dpi = m_Dpi;
  HICON big =
      LoadIconResource(resource, GetSystemMetricsForDpi(SM_CXICON, dpi), GetSystemMetricsForDpi(SM_CYICON, dpi));
  HICON small =
      LoadIconResource(resource, GetSystemMetricsForDpi(SM_CXSMICON, dpi), GetSystemMetricsForDpi(SM_CYSMICON, dpi));
  for (HICON icon : {big, small})
    if (icon) m_Icons.push_back(icon);
  if (big) SendMessageW(m_Window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (small) SendMessageW(m_Window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void DialogWindow::AddToolTip(int id, const std::string& text) {
  if (!m_ToolTip) {
    m_ToolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, m_Window, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  std::wstring wide = Wide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  // The tool is the control's own window; the tip watches its mouse itself.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = m_Window;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
  tool.lpszText = wide.data();
  SendMessageW(m_ToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void DialogWindow::AppendSystemMenu(const std::string& text, int command) {
  HMENU menu = GetSystemMenu(m_Window, FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), Wide(text).c_str());
  m_SystemCommands.push_back(command);
}

void DialogWindow::EndDialog(int result) { ::EndDialog(m_Window, result); }

}  // namespace qor::ui::win32
