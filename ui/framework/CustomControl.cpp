#include "ui/framework/CustomControl.h"

#include <QPainter>

namespace qor::ui {

CustomControlWindow::CustomControlWindow(QWidget* parent) : QWidget(parent) {
  // The class's background is the button face colour, its cursor the arrow.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  setCursor(Qt::ArrowCursor);
}

void CustomControlWindow::paintEvent(QPaintEvent*) {
  if (!m_Paint) return;
  QPainter painter(this);
  m_Paint(painter);
}

}  // namespace qor::ui
