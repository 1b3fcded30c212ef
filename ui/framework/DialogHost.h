#pragma once
// The window of a running dialog as a toolkit builds it from the template.
// The framework's controls reach their windows through it by control ID, as
// Win32's SendDlgItemMessage does; each toolkit implements it once
// (ui/framework/qt/, ui/framework/win32/), and no dialog sees it.

#include <cstdint>
#include <string>

namespace qor::ui {

class CWnd;

struct Size {
  int Width = 0;
  int Height = 0;
};

class DialogHost {
 public:
  virtual ~DialogHost() = default;

  // Every control.
  virtual void EnableWindow(int id, bool enable) = 0;
  virtual bool IsWindowEnabled(int id) const = 0;
  // The text of an edit, a button or a static; of a list, its selected entry.
  virtual void SetWindowText(int id, const std::string& text) = 0;
  virtual std::string GetWindowText(int id) const = 0;

  // Drop-down lists; -1 is no selection.
  virtual void ResetContent(int id) = 0;
  virtual int AddString(int id, const std::string& text) = 0;
  virtual void SetCurSel(int id, int index) = 0;
  virtual int GetCurSel(int id) const = 0;
  virtual int GetCount(int id) const = 0;
  virtual std::string GetLBText(int id, int index) const = 0;

  // Check boxes.
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool GetCheck(int id) const = 0;

  // Up-down controls and track bars. An up-down's position is its buddy
  // edit's text when that is a number within the range, else its last one.
  virtual void SetRange(int id, int lower, int upper) = 0;
  virtual void SetPos(int id, int position) = 0;
  virtual int GetPos(int id) = 0;

  // A control of a class of the program's own: `control` paints its window.
  virtual void Subclass(int id, CWnd& control) = 0;
  virtual void Invalidate(int id) = 0;
  virtual Size GetClientSize(int id) const = 0;
  // The platform's own handle of the control's window where its services
  // need one (Win32's HWND for raw input); 0 where they do not.
  virtual std::uintptr_t NativeWindow(int id) const {
    (void)id;
    return 0;
  }

  // The window itself.
  virtual void SetIcon(int resource) = 0;
  virtual void AddToolTip(int id, const std::string& text) = 0;
  // An item after a separator at the end of the window menu; choosing it
  // sends `command` to the dialog's OnSysCommand.
  virtual void AppendSystemMenu(const std::string& text, int command) = 0;
  virtual void EndDialog(int result) = 0;
};

}  // namespace qor::ui
