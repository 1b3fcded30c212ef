#pragma once
// The Win32 window of a running CDialog: a modal dialog that Windows builds
// and lays out from the template in its own dialog units. It reports the
// controls' notifications to the dialog and turns Enter, Escape and the window
// menu into the dialog's commands.

#include <map>
#include <string>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/framework/DialogHost.h"
#include "ui/framework/win32/Win32.h"

namespace qor::ui {
class CDialog;
}

namespace qor::ui::win32 {

class DialogWindow final : public DialogHost {
 public:
  DialogWindow(CDialog& dialog, const res::DialogTemplate& dialogTemplate);
  ~DialogWindow() override;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Creates the window owned by `owner` and runs it until EndDialog; -1 when
  // Windows cannot create it.
  int Run(HWND owner);
  HWND Handle() const { return m_Window; }

  void EnableWindow(int id, bool enable) override;
  bool IsWindowEnabled(int id) const override;
  void SetWindowText(int id, const std::string& text) override;
  std::string GetWindowText(int id) const override;
  void ResetContent(int id) override;
  int AddString(int id, const std::string& text) override;
  void SetCurSel(int id, int index) override;
  int GetCurSel(int id) const override;
  int GetCount(int id) const override;
  std::string GetLBText(int id, int index) const override;
  void SetCheck(int id, bool checked) override;
  bool GetCheck(int id) const override;
  void SetRange(int id, int lower, int upper) override;
  void SetPos(int id, int position) override;
  int GetPos(int id) override;
  void Subclass(int id, CWnd& control) override;
  void Invalidate(int id) override;
  Size GetClientSize(int id) const override;
  std::uintptr_t NativeWindow(int id) const override { return reinterpret_cast<std::uintptr_t>(Item(id)); }
  void SetIcon(int resource) override;
  void AddToolTip(int id, const std::string& text) override;
  void AppendSystemMenu(const std::string& text, int command) override;
  void EndDialog(int result) override;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam);
  void OnCommand(int id, int code);
  // The template's pictures, at the window's DPI.
  void LoadPictures();
  HWND Item(int id) const { return GetDlgItem(m_Window, id); }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendDlgItemMessageW(m_Window, id, message, wParam, lParam);
  }

  CDialog& m_Dialog;
  const res::DialogTemplate& m_Template;
  std::map<int, res::ItemKind> m_Kinds;
  HWND m_Window = nullptr;
  HWND m_ToolTip = nullptr;
  int m_IconResource = 0;
  // The DPI of the monitor the window is on, as Windows last told it.
  UINT m_Dpi = USER_DEFAULT_SCREEN_DPI;
  std::vector<int> m_SystemCommands;
  // Images made for this window, released with it.
  std::vector<HICON> m_Icons;
  std::vector<HBITMAP> m_Bitmaps;
};

}  // namespace qor::ui::win32
