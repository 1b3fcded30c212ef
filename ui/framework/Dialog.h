#pragma once
// A dialog built from its template: the object lives on between openings,
// its window and controls exist only while it runs modally. Free of any
// toolkit: the window is the toolkit's (DialogHost), the controls are the
// framework's (Controls.h).

#include <functional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/framework/Controls.h"
#include "ui/framework/DialogHost.h"

namespace qor::ui {

class CDialog {
 public:
  explicit CDialog(int templateId);
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Creates the window and its controls, initialises them, runs until
  // EndDialog, then destroys the window. Returns EndDialog's result. A
  // template number the resources lack stops the program, naming it.
  int DoModal();
  void EndDialog(int result);

  // A control of the open window, e.g. GetDlgItem<CComboBox>(IDC_MODE_LIST).
  // An ID the template lacks, or a control of another kind, is a fault of
  // the program: it stops at once, naming the dialog and the control.
  template <class Control = CWnd>
  Control GetDlgItem(res::ControlId id) const {
    Control control;
    Attach(control, id, Control::Kinds);
    return control;
  }
  // Whether the template has a control with this ID.
  bool HasDlgItem(int id) const;
  int TemplateId() const { return m_TemplateId; }

  // What a click of the button with this ID sends; Enter sends the default
  // button's ID, Escape and the close box send IDCANCEL.
  void SendCommand(int id);
  int DefaultCommand() const;

  // The window menu's commands: the items appended with AppendSystemMenu,
  // and close.
  static constexpr int SC_CLOSE = 0xF060;
  virtual void OnSysCommand(int id);

  // The toolkit's window while the dialog runs, else nullptr.
  DialogHost* GetHost() const { return m_Host; }
  // The same for a control's operation: a closed window is a fault, named
  // with the control.
  DialogHost& Host(res::ControlId control = res::IDC_STATIC) const;

  // What a toolkit calls (ui/framework/Toolkit.h). InitDialog attaches the
  // window, wires the message map and runs OnInitDialog; true asks the
  // toolkit to focus the first enabled tab stop.
  bool InitDialog(DialogHost& host);
  enum class Notification { Clicked, SelChange, EditChange, KillFocus };
  // A control's notification; SelChange only for a user's choice, never a
  // selection the program sets.
  void OnNotify(int id, Notification what);
  // The window is about to go: its bound controls hear it, and from now on
  // every control operation is a fault.
  void DestroyWindow();

  [[noreturn]] static void UnboundControl();

 protected:
  // Binds the controls to members; the base initialisation runs it.
  virtual void DoDataExchange() {}
  // Wires the handlers: one block that reads like a message map.
  virtual void MessageMap() {}
  // True lets the framework focus the first enabled tab stop.
  virtual bool OnInitDialog();
  virtual void OnOK() { EndDialog(res::IDOK); }
  virtual void OnCancel() { EndDialog(res::IDCANCEL); }

  // Binds `control` to the template's control `id` for this opening, then
  // runs its PreSubclassWindow. Faults as GetDlgItem does.
  template <class Control>
  void BindControl(res::ControlId id, Control& control) {
    Attach(control, id, Control::Kinds);
    Bound(control);
  }

  template <class D>
  void OnClicked(res::ControlId id, void (D::*handler)()) {
    AddHandler(Notification::Clicked, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }
  template <class D>
  void OnSelChange(res::ControlId id, void (D::*handler)()) {
    AddHandler(Notification::SelChange, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }
  template <class D>
  void OnEditChange(res::ControlId id, void (D::*handler)()) {
    AddHandler(Notification::EditChange, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }
  template <class D>
  void OnKillFocus(res::ControlId id, void (D::*handler)()) {
    AddHandler(Notification::KillFocus, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }

  // Adds an item, after a separator, to the window menu.
  void AppendSystemMenu(const std::string& text, int commandId) { Host().AppendSystemMenu(text, commandId); }
  void SetIcon(int resource) { Host().SetIcon(resource); }

 private:
  struct Handler {
    Notification What;
    res::ControlId Id;
    std::function<void()> Run;
  };

  const res::DialogTemplate& Template() const;
  const res::DialogItem* FindItem(int id) const;
  // Checks that the template has `id` as one of `kinds` (any, when empty).
  const res::DialogItem& CheckedItem(res::ControlId id, std::span<const res::ItemKind> kinds) const;
  void Attach(CWnd& control, res::ControlId id, std::span<const res::ItemKind> kinds) const;
  void Bound(CWnd& control);
  void AddHandler(Notification what, res::ControlId id, std::function<void()> run);
  [[noreturn]] void Fault(const std::string& what) const;

  int m_TemplateId;
  DialogHost* m_Host = nullptr;
  std::vector<CWnd*> m_Bound;
  std::vector<Handler> m_Handlers;
};

}  // namespace qor::ui
