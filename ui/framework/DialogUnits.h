#pragma once
// Dialog units: a template's positions scale with the dialog font, so the same
// template suits any font. A horizontal unit is a quarter of the font's average
// letter width, a vertical unit an eighth of its height.

namespace qor::ui {

struct DialogBaseUnits {
  int X = 0;  // average width of the 52 letters A-Z a-z, rounded
  int Y = 0;  // font height
};

struct PixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// lettersWidth: the width in pixels of the string "A..Za..z".
DialogBaseUnits BaseUnitsFromFont(int lettersWidth, int fontHeight);

// a * b / c rounded half away from zero, as dialog managers compute it.
int MulDiv(int a, int b, int c);

// A rectangle in dialog units (x, y, width, height) in pixels. Both corners
// are mapped, so adjacent rectangles stay adjacent.
PixelRect MapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits units);

}  // namespace qor::ui
