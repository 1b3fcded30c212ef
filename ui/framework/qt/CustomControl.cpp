#include "ui/framework/qt/CustomControl.h"

#include <QPainter>

#include "ui/framework/Controls.h"
#include "ui/framework/qt/QtPainter.h"

namespace qor::ui::qt {

CustomControlWindow::CustomControlWindow(QWidget* parent) : QWidget(parent) {
  // The class's background is the button face colour, its cursor the arrow.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  setCursor(Qt::ArrowCursor);
}

void CustomControlWindow::paintEvent(QPaintEvent*) {
  if (!m_Control) return;
  QPainter painter(this);
  QtDC dc(painter);
  PaintAccess::Paint(*m_Control, dc);
}

}  // namespace qor::ui::qt
