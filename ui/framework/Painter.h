#pragma once
// The small painter a control of the program's own draws with, in the manner
// of a GDI device context: a 1-pixel solid pen, a solid brush, rectangles
// and lines in the control's pixels. Each toolkit gives one over its own
// drawing (QPainter, GDI), so the drawing rules are written once.

#include <cstdint>

namespace qor::ui {

struct Colour {
  std::uint8_t Red = 0, Green = 0, Blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

class CDC {
 public:
  virtual ~CDC() = default;

  virtual void SelectPen(Colour colour) = 0;
  virtual void SelectBrush(Colour colour) = 0;
  // The outline in the pen, the inside in the brush; right and bottom are
  // exclusive, so a rectangle covers (right - left) × (bottom - top) pixels.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // A line in the pen from the current point to x, y, which it leaves out and
  // which becomes the current point.
  virtual void LineTo(int x, int y) = 0;
};

}  // namespace qor::ui
