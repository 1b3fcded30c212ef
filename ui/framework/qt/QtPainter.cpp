#include "ui/framework/qt/QtPainter.h"

#include <QPainter>
#include <cstdlib>
#include <utility>

namespace qor::ui::qt {

QtDC::QtDC(QPainter& painter) : m_Painter(painter), m_Pen(Qt::black), m_Brush(Qt::white) {
  m_Painter.setRenderHint(QPainter::Antialiasing, false);
}

void QtDC::Rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const int width = right - left;
  const int height = bottom - top;
  // The pen takes the first and last column and row, the brush what lies inside.
  m_Painter.fillRect(QRect(left, top, width, height), m_Pen);
  if (width > 2 && height > 2) m_Painter.fillRect(QRect(left + 1, top + 1, width - 2, height - 2), m_Brush);
}

void QtDC::LineTo(int x, int y) {
  // Bresenham's steps from the current point, the end point left out.
  int x0 = m_Current.x(), y0 = m_Current.y();
  const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
  const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
  int error = dx + dy;
  while (x0 != x || y0 != y) {
    m_Painter.fillRect(QRect(x0, y0, 1, 1), m_Pen);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
  m_Current = QPoint(x, y);
}

}  // namespace qor::ui::qt
