#include "ui/framework/DialogFont.h"

#include <QFontMetrics>

namespace qor::ui {

QFont DialogFont(int pointSize) {
  QFont font(QStringLiteral("Sans Serif"), pointSize);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

DialogBaseUnits DialogBaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return BaseUnitsFromFont(letters, metrics.height());
}

}  // namespace qor::ui
