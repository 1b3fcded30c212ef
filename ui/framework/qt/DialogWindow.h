#pragma once
// The Qt window of a running CDialog, built from its template: one widget per
// item, placed in dialog units of the dialog font. It reports the controls'
// notifications to the dialog and turns Enter, Escape, the close box and the
// context menu (the window menu) into the dialog's commands, as a dialog
// manager does.

#include <QDialog>
#include <QMargins>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/framework/DialogHost.h"
#include "ui/framework/DialogUnits.h"
#include "ui/framework/FitBaseUnits.h"

class QScreen;

namespace qor::ui {
class CDialog;
}

namespace qor::ui::qt {

class DialogWindow final : public QDialog, public DialogHost {
  Q_OBJECT

 public:
  DialogWindow(CDialog& dialog, const res::DialogTemplate& dialogTemplate, QWidget* owner);

  // The widget of the template's control `id`; nullptr for none.
  QWidget* Item(int id) const;
  // The dialog of a window, as tests and tools find it.
  CDialog& Dialog() const { return m_Dialog; }

  void FocusFirstTabStop();
  // Once the dialog has filled its lists: grows the units until every text
  // fits, then puts the client area into the window, as it is when it fits
  // the screen beside the window's frame, else in a scroll area that does,
  // and centres the window on its owner or the screen.
  void FitAndPlace(QWidget* owner);
  bool Ended() const { return m_Ended; }

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
  void SetIcon(int resource) override;
  void AddToolTip(int id, const std::string& text) override;
  void AppendSystemMenu(const std::string& text, int command) override;
  void EndDialog(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  void reject() override;

 private:
  void CreateControls();
  void ConnectNotifications(int id, QWidget* control);
  // Places the controls at the current base units, and sizes the client area.
  void PlaceControls();
  ListEntries ListTexts() const;
  // Centres the window on the screen with the frame the platform reports,
  // until the frame it was centred with is the real one.
  void CentreOnScreen();
  template <class Widget>
  Widget* As(int id) const {
    return static_cast<Widget*>(m_Items.at(id));
  }

  CDialog& m_Dialog;
  const res::DialogTemplate& m_Template;
  DialogBaseUnits m_Units;
  QWidget* m_Client;                 // holds the controls, inside a scroll area on a small screen
  std::vector<QWidget*> m_Controls;  // in template order, statics included
  std::map<int, QWidget*> m_Items;
  std::vector<std::pair<QString, int>> m_SystemMenu;
  bool m_Ending = false;
  bool m_Ended = false;
  // A window without an owner on screen is centred on the screen; the frame
  // it was last centred with, while the real one may still differ.
  std::optional<QMargins> m_CentredWith;
};

// The window of a dialog while it runs, else nullptr; and the widget of one
// of its controls, nullptr when it is not a `Widget`.
DialogWindow* WindowOf(const CDialog& dialog);
template <class Widget = QWidget>
Widget* ItemOf(const CDialog& dialog, int id) {
  const DialogWindow* window = WindowOf(dialog);
  return window ? qobject_cast<Widget*>(window->Item(id)) : nullptr;
}

}  // namespace qor::ui::qt
