#pragma once
// The window of a running CDialog. It turns Enter, Escape, the close box and
// the context menu into the dialog's commands, as a dialog manager does.

#include <QDialog>
#include <functional>
#include <map>

class QScreen;

namespace qor::ui {

class CDialog;

class DialogWindow : public QDialog {
  Q_OBJECT

 public:
  DialogWindow(CDialog* dialog, QWidget* owner);

  void EndWith(int result);
  // Puts the client area (the controls, placed) into the window, as it is
  // when it fits `screen` beside the window's frame, else in a scroll area
  // that does; then centres the window on its owner or the screen.
  void ShowClient(QWidget* client, const QScreen* screen, const QWidget* owner);
  void WatchFocusLoss(QWidget* control, std::function<void()> handler);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  void reject() override;

 private:
  CDialog* m_Dialog;
  bool m_Ending = false;
  std::multimap<QObject*, std::function<void()>> m_FocusLoss;
};

}  // namespace qor::ui
