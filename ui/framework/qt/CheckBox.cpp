#include "ui/framework/qt/CheckBox.h"

#include <QStyleOption>
#include <QStylePainter>
#include <algorithm>

namespace qor::ui::qt {

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

int CheckBox::TextOffset(const QStyle& style) {
  return style.pixelMetric(QStyle::PM_IndicatorWidth) + style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
}

QRect CheckBox::IndicatorRect() const {
  const int width = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
  const int height = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  // A box lower than the indicator gets a smaller indicator of the same shape.
  const int shownHeight = std::min(height, this->height());
  const int shownWidth = height > 0 ? width * shownHeight / height : width;
  return QRect(0, (this->height() - shownHeight) / 2, shownWidth, shownHeight);
}

void CheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  QStyleOptionButton indicator = option;
  indicator.rect = IndicatorRect();
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

  QStyleOptionButton label = option;
  const int offset = TextOffset(*style());
  label.rect = QRect(offset, 0, width() - offset, height());
  painter.drawControl(QStyle::CE_CheckBoxLabel, label);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = style()
                     ->itemTextRect(fontMetrics(), label.rect, Qt::AlignLeft | Qt::AlignVCenter, isEnabled(), text())
                     .adjusted(-1, 0, 1, 0)
                     .intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

// The whole box answers the mouse, the text as well as the indicator.
bool CheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace qor::ui::qt
