#pragma once
// The controls of a dialog, as the dialogs hold them: each names one control
// of the dialog's template by its ID and reaches its window through the
// toolkit while the dialog's window is open. Texts are UTF-8.

#include <cstdint>
#include <span>
#include <string>

#include "res/DialogTemplate.h"
#include "ui/framework/DialogHost.h"

namespace qor::ui {

class CDC;
class CDialog;

class CWnd {
 public:
  // A CWnd binds any kind of control.
  static constexpr std::span<const res::ItemKind> Kinds{};

  CWnd() = default;
  CWnd(const CWnd&) = default;
  CWnd& operator=(const CWnd&) = default;
  virtual ~CWnd() = default;

  void EnableWindow(bool enable = true);
  bool IsWindowEnabled() const;
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  res::ControlId GetDlgCtrlID() const { return m_Id; }
  // Bound, and its dialog's window is open.
  bool HasWindow() const;

  // For a control class of the program's own (a custom item of the template).
  void Invalidate();
  Size GetClientSize() const;
  // The platform's handle of the window, 0 without one (see DialogHost).
  std::uintptr_t GetSafeHwnd() const;

 protected:
  // Runs when a dialog binds the control to its window, at each opening.
  virtual void PreSubclassWindow() {}
  virtual void OnPaint(CDC& dc) { (void)dc; }
  // Runs when the bound window is destroyed.
  virtual void OnDestroy() {}

  // The toolkit's window; using a control that is not bound, or whose
  // dialog's window is closed, is a fault of the program and stops it.
  DialogHost& Host() const;
  int Id() const { return m_Id; }

 private:
  friend class CDialog;
  friend class CToolTipCtrl;
  friend class PaintAccess;
  const CDialog* m_Dialog = nullptr;
  res::ControlId m_Id = res::IDC_STATIC;
};

// How a toolkit hands a paint of a subclassed window to its control.
class PaintAccess {
 public:
  static void Paint(CWnd& control, CDC& dc) { control.OnPaint(dc); }
};

class CButton : public CWnd {
 public:
  static constexpr res::ItemKind KindList[] = {res::ItemKind::PushButton, res::ItemKind::CheckBox};
  static constexpr std::span<const res::ItemKind> Kinds{KindList};

  void SetCheck(bool checked);
  bool GetCheck() const;
};

class CEdit : public CWnd {
 public:
  static constexpr res::ItemKind KindList[] = {res::ItemKind::Edit};
  static constexpr std::span<const res::ItemKind> Kinds{KindList};
};

class CComboBox : public CWnd {
 public:
  static constexpr res::ItemKind KindList[] = {res::ItemKind::DropDownList};
  static constexpr std::span<const res::ItemKind> Kinds{KindList};

  void ResetContent();
  // The new entry's index; the list is not sorted.
  int AddString(const std::string& text);
  // -1, or an index the list does not have, leaves it without a selection.
  void SetCurSel(int index);
  // -1 without a selection.
  int GetCurSel() const;
  int GetCount() const;
  std::string GetLBText(int index) const;
};

class CSpinButtonCtrl : public CWnd {
 public:
  static constexpr res::ItemKind KindList[] = {res::ItemKind::UpDown};
  static constexpr std::span<const res::ItemKind> Kinds{KindList};

  void SetRange(int lower, int upper);
  // Held within the range; writes the number into the buddy edit.
  void SetPos(int position);
  // The buddy's text when it is a number within the range (which then becomes
  // the position), else the last position.
  int GetPos() const;
};

class CSliderCtrl : public CWnd {
 public:
  static constexpr res::ItemKind KindList[] = {res::ItemKind::TrackBar};
  static constexpr std::span<const res::ItemKind> Kinds{KindList};

  void SetRange(int lower, int upper);
  // Held within the range.
  void SetPos(int position);
  int GetPos() const;
};

// Tooltips: each tool is a control's own window, shown while the mouse
// rests on it and the control is enabled.
class CToolTipCtrl {
 public:
  void AddTool(const CWnd& control, const std::string& text) { control.Host().AddToolTip(control.Id(), text); }
};

}  // namespace qor::ui
