#pragma once
// A dialog built from its template: the object lives on between openings,
// its window and controls exist only while it runs modally.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/framework/DialogUnits.h"
#include "ui/framework/FitBaseUnits.h"

namespace qor::ui {

class DialogWindow;

class CDialog {
 public:
  explicit CDialog(int templateId);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Creates the window and its controls, initialises them, runs until
  // EndDialog, then destroys the window. Returns EndDialog's result. A
  // template number the resources lack stops the program, naming it.
  int DoModal();
  void EndDialog(int result);

  // The control with this ID while the window exists. An ID that is not a
  // control of the template, a control of another kind, or a closed window is
  // a fault of the program: it stops at once, naming the dialog and the ID,
  // rather than hand out a null that crashes later.
  QWidget* GetDlgItem(int id) const;
  template <class T>
  T* DlgItem(int id) const {
    QWidget* control = GetDlgItem(id);
    if (T* typed = qobject_cast<T*>(control)) return typed;
    WrongKind(id, control, T::staticMetaObject.className());
  }
  // Whether the template has a control with this ID.
  bool HasDlgItem(int id) const;
  QDialog* Window() const;

  // What a click of the button with this ID sends; Enter sends the default
  // button's ID, Escape and the close box send IDCANCEL.
  void SendCommand(int id);

  // The window menu's commands: the items appended with AppendSystemMenu,
  // and close.
  static constexpr int SC_CLOSE = 0xF060;
  virtual void OnSysCommand(int id);

 protected:
  // Binds the controls to members; the base initialisation runs it.
  virtual void DoDataExchange() {}
  // Wires the handlers: one block that reads like a message map.
  virtual void MessageMap() {}
  // True lets the framework focus the first enabled tab stop.
  virtual bool OnInitDialog();
  virtual void OnOK() { EndDialog(res::IDOK); }
  virtual void OnCancel() { EndDialog(res::IDCANCEL); }

  template <class D>
  void OnClicked(int id, void (D::*handler)()) {
    m_Clicked[id] = [this, handler] { (static_cast<D*>(this)->*handler)(); };
  }
  template <class D>
  void OnSelChange(int id, void (D::*handler)()) {
    AddHandler(Notification::SelChange, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }
  template <class D>
  void OnEditChange(int id, void (D::*handler)()) {
    AddHandler(Notification::EditChange, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }
  template <class D>
  void OnKillFocus(int id, void (D::*handler)()) {
    AddHandler(Notification::KillFocus, id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }

  // Adds an item, after a separator, to the window menu (the window's context menu).
  void AppendSystemMenu(const QString& text, int commandId);

 private:
  friend class DialogWindow;
  enum class Notification { SelChange, EditChange, KillFocus };
  void AddHandler(Notification what, int id, std::function<void()> handler);
  [[noreturn]] void WrongKind(int id, const QWidget* control, const char* wanted) const;
  [[noreturn]] void BindingFault(const QString& what) const;
  QWidget* FindItem(int id) const;
  void CreateControls(const res::DialogTemplate& dialogTemplate);
  // Places the controls at the current base units, and sizes the client area.
  void PlaceControls(const res::DialogTemplate& dialogTemplate);
  ListEntries ListTexts() const;
  void ConnectNotifications();
  void ShowSystemMenu(const QPoint& globalPos);
  int DefaultCommand() const;

  int m_TemplateId;
  QPointer<DialogWindow> m_Window;
  DialogBaseUnits m_Units;
  QWidget* m_Client = nullptr;       // holds the controls, inside a scroll area on a small screen
  std::vector<QWidget*> m_Controls;  // in template order, statics included
  std::map<int, QWidget*> m_Items;
  std::map<int, std::function<void()>> m_Clicked;
  std::vector<std::tuple<Notification, int, std::function<void()>>> m_Notifications;
  std::vector<std::pair<QString, int>> m_SystemMenu;
};

}  // namespace qor::ui
