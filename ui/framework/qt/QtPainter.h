#pragma once
// The framework's small painter over a QPainter, drawing pixel for pixel as
// GDI does: no antialiasing, rectangles' right and bottom edges exclusive,
// lines without their end point.

#include <QColor>
#include <QPoint>

#include "ui/framework/Painter.h"

class QPainter;

namespace qor::ui::qt {

class QtDC final : public CDC {
 public:
  // A device context's start: a black pen and a white brush.
  explicit QtDC(QPainter& painter);

  void SelectPen(Colour colour) override { m_Pen = ToQColor(colour); }
  void SelectBrush(Colour colour) override { m_Brush = ToQColor(colour); }
  void Rectangle(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override { m_Current = QPoint(x, y); }
  void LineTo(int x, int y) override;

  static QColor ToQColor(Colour colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

 private:
  QPainter& m_Painter;
  QColor m_Pen;
  QColor m_Brush;
  QPoint m_Current;
};

}  // namespace qor::ui::qt
