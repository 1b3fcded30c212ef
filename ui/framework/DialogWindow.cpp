#include "ui/framework/DialogWindow.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/framework/Dialog.h"

namespace qor::ui {

DialogWindow::DialogWindow(CDialog* dialog, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      dialog_(dialog) {
  setModal(true);
}

void DialogWindow::EndWith(int result) {
  ending_ = true;
  done(result);
  ending_ = false;
}

void DialogWindow::WatchFocusLoss(QWidget* control, std::function<void()> handler) {
  if (focusLoss_.find(control) == focusLoss_.end()) control->installEventFilter(this);
  focusLoss_.emplace(control, std::move(handler));
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      dialog_->SendCommand(2);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter on a push button presses it; anywhere else it sends the
      // default button's command.
      if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
        button->click();
      else
        dialog_->SendCommand(dialog_->DefaultCommand());
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  // The close box asks the dialog; only the dialog ends itself.
  event->ignore();
  if (!ending_) dialog_->SendCommand(2);
}

void DialogWindow::reject() {
  if (!ending_) dialog_->SendCommand(2);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) { dialog_->ShowSystemMenu(event->globalPos()); }

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const auto [first, last] = focusLoss_.equal_range(watched);
    for (auto it = first; it != last; ++it) it->second();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qor::ui
