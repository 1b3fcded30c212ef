#include "ui/framework/DialogWindow.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/framework/Dialog.h"

namespace qor::ui {

DialogWindow::DialogWindow(CDialog* dialog, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_Dialog(dialog) {
  setModal(true);
}

void DialogWindow::EndWith(int result) {
  m_Ending = true;
  done(result);
  m_Ending = false;
}

void DialogWindow::WatchFocusLoss(QWidget* control, std::function<void()> handler) {
  if (m_FocusLoss.find(control) == m_FocusLoss.end()) control->installEventFilter(this);
  m_FocusLoss.emplace(control, std::move(handler));
}

void DialogWindow::ShowClient(QWidget* client, const QScreen* screen, const QWidget* owner) {
  const QSize clientSize = client->size();
  const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), clientSize);
  // The window's frame and title bar take room too: an owner that is up
  // shows how much; before the first window a title bar is about two lines.
  const bool ownerShown = owner && owner->isVisible();
  const QSize frame =
      ownerShown ? owner->frameGeometry().size() - owner->size() : QSize(8, 2 * fontMetrics().height() + 8);
  const QSize room = available.size() - frame;
  if (clientSize.width() <= room.width() && clientSize.height() <= room.height()) {
    client->move(0, 0);
    setFixedSize(clientSize);
  } else {
    // Too large for the screen: the whole client area in a scroll area sized
    // to the screen, every control reachable, the layout inside unchanged.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    scroll->setWidget(client);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    const bool tall = clientSize.height() > room.height();
    const bool wide = clientSize.width() + (tall ? bar : 0) > room.width();
    setFixedSize(std::min(clientSize.width() + (tall ? bar : 0), room.width()),
                 std::min(clientSize.height() + (wide ? bar : 0), room.height()));
  }
  // Centred on the owner, else on the screen, and kept on the screen.
  const QSize outer = size() + frame;
  const QPoint centre = ownerShown ? owner->frameGeometry().center() : available.center();
  const int x = std::clamp(centre.x() - outer.width() / 2, available.left(),
                           std::max(available.left(), available.right() + 1 - outer.width()));
  const int y = std::clamp(centre.y() - outer.height() / 2, available.top(),
                           std::max(available.top(), available.bottom() + 1 - outer.height()));
  move(x, y);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      m_Dialog->SendCommand(2);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter on a push button presses it; anywhere else it sends the
      // default button's command.
      if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
        button->click();
      else
        m_Dialog->SendCommand(m_Dialog->DefaultCommand());
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  // The close box asks the dialog; only the dialog ends itself.
  event->ignore();
  if (!m_Ending) m_Dialog->SendCommand(2);
}

void DialogWindow::reject() {
  if (!m_Ending) m_Dialog->SendCommand(2);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) { m_Dialog->ShowSystemMenu(event->globalPos()); }

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    if (const auto* control = qobject_cast<QWidget*>(watched); control && !control->isEnabled()) return true;
  }
  if (event->type() == QEvent::FocusOut) {
    const auto [first, last] = m_FocusLoss.equal_range(watched);
    for (auto it = first; it != last; ++it) it->second();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qor::ui
