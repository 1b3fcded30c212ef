#include "ui/framework/DialogUnits.h"

#include <cstdint>

namespace qor::ui {

DialogBaseUnits BaseUnitsFromFont(int lettersWidth, int fontHeight) {
  // The average over 52 letters, rounded to the nearest pixel.
  return DialogBaseUnits{(lettersWidth / 26 + 1) / 2, fontHeight};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  return static_cast<int>(negative ? -rounded : rounded);
}

PixelRect MapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits units) {
  return PixelRect{MulDiv(x, units.X, 4), MulDiv(y, units.Y, 8), MulDiv(x + cx, units.X, 4),
                   MulDiv(y + cy, units.Y, 8)};
}

}  // namespace qor::ui
