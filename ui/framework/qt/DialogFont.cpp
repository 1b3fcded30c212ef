#include "ui/framework/qt/DialogFont.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

#include "ui/framework/qt/CheckBox.h"
#include "ui/framework/qt/GroupFrame.h"

namespace qor::ui::qt {

QFont DialogFont() { return DialogFontFrom(QApplication::font()); }

QFont DialogFontFrom(const QFont& applicationFont) {
  if (applicationFont.resolveMask() & QFont::SizeResolved) return applicationFont;
  QFont font(QStringLiteral("Sans Serif"), 9);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

DialogBaseUnits DialogBaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return BaseUnitsFromFont(letters, metrics.height());
}

FitMetrics FitMetricsOf(const QFont& font, const QStyle& style) {
  const QFontMetrics metrics(font);
  FitMetrics fit;
  fit.FontUnits = DialogBaseUnitsOf(font);
  fit.LineHeight = metrics.height();
  // Widths in fractions of a pixel, rounded up as the controls' own size
  // hints round them: rounded to the nearest, a text can come out a pixel
  // short of what its control draws.
  fit.TextWidth = [exact = QFontMetricsF(font)](std::string_view text) {
    return static_cast<int>(
        std::ceil(exact.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))));
  };

  // What the style takes from a large control for its frame and margins.
  const QRect large(0, 0, 1000, 1000);
  QStyleOptionButton button;
  button.rect = large;
  button.features = QStyleOptionButton::DefaultButton;
  const QRect buttonText = style.subElementRect(QStyle::SE_PushButtonContents, &button);
  fit.PushButton = {large.width() - buttonText.width(), large.height() - buttonText.height()};

  QStyleOptionComboBox combo;
  combo.rect = large;
  combo.frame = true;
  combo.editable = false;
  combo.subControls = QStyle::SC_All;
  const QRect field = style.subControlRect(QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxEditField);
  // The entry's text keeps a little room inside the field, as list boxes do.
  fit.DropDownList = {large.width() - field.width() + 4, 0};

  fit.CheckBox = {CheckBox::TextOffset(style), 0};
  fit.GroupTitle = {GroupFrame::TitleRoom(metrics), 0};
  return fit;
}

}  // namespace qor::ui::qt
