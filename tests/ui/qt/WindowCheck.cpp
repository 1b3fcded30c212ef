#include "WindowCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

namespace qor::test {
namespace {

QString Name(const QWidget* control, const QString& text) {
  return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(control->metaObject()->className()), text);
}

// A text of `size` in `room`: what is wrong, if anything. The width in
// fractions of a pixel is rounded up, as the controls' size hints round it.
void CheckRoom(QStringList& faults, const QWidget* control, const QString& text, QSize room) {
  const QFontMetricsF metrics(control->font());
  const QSize size(static_cast<int>(std::ceil(metrics.horizontalAdvance(text))), control->fontMetrics().height());
  if (size.width() > room.width() || size.height() > room.height())
    faults << QStringLiteral("%1 needs %2x%3, has %4x%5")
                  .arg(Name(control, text))
                  .arg(size.width())
                  .arg(size.height())
                  .arg(room.width())
                  .arg(room.height());
}

QRect ControlRect(const QWidget* control, const QWidget* window) {
  return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

}  // namespace

QStringList ClippedTexts(QWidget* window) {
  QStringList faults;
  for (QLabel* label : window->findChildren<QLabel*>())
    if (!label->text().isEmpty()) CheckRoom(faults, label, label->text(), label->size());
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.features = button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
    CheckRoom(faults, button, button->text(),
              button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).size());
  }
  for (QCheckBox* check : window->findChildren<QCheckBox*>()) {
    const QStyle* style = check->style();
    const int textLeft =
        style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    CheckRoom(faults, check, check->text(), QSize(check->width() - textLeft, check->height()));
  }
  for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
    // The title keeps a character's width from either end of the frame.
    const int margin = 2 * group->fontMetrics().averageCharWidth();
    CheckRoom(faults, group, group->title(), QSize(group->width() - margin, group->height()));
  }
  for (QComboBox* list : window->findChildren<QComboBox*>()) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    for (int i = 0; i < list->count(); ++i) CheckRoom(faults, list, list->itemText(i), field.size());
  }
  return faults;
}

QStringList MisplacedGroupFrames(QWidget* window) {
  QStringList faults;
  for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
    const QImage image = group->grab().toImage();
    const QColor background = group->palette().color(QPalette::Window);
    // The frame's top line, found near the right end where no title is.
    const int x = image.width() - 6;
    int line = 0;
    while (line < image.height() && image.pixelColor(x, line) == background) ++line;
    const int titleBottom = group->fontMetrics().height();
    if (line <= 0 || line >= titleBottom)
      faults
          << QStringLiteral("%1: line at %2, title 0..%3").arg(Name(group, group->title())).arg(line).arg(titleBottom);
    const QRect frame = ControlRect(group, window);
    for (QWidget* control : group->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QRect rect = ControlRect(control, window);
      if (control == group || qobject_cast<QGroupBox*>(control) || !frame.contains(rect)) continue;
      if (rect.top() <= frame.top() + line)
        faults << QStringLiteral("%1: line at %2 crosses %3 at %4")
                      .arg(Name(group, group->title()))
                      .arg(frame.top() + line)
                      .arg(Name(control, control->objectName()))
                      .arg(rect.top());
    }
  }
  return faults;
}

QStringList CutCheckBoxes(QWidget* window) {
  QStringList faults;
  for (QCheckBox* check : window->findChildren<QCheckBox*>()) {
    const bool checked = check->isChecked();
    check->setChecked(false);
    const QImage image = check->grab().toImage();
    check->setChecked(checked);
    const QColor background = check->palette().color(QPalette::Window);
    // Down the indicator's middle: its top and bottom edges are drawn alike;
    // a cut indicator ends in its inside.
    const int x = std::min(check->style()->pixelMetric(QStyle::PM_IndicatorWidth), check->height()) / 2;
    int top = 0, bottom = image.height() - 1;
    while (top < image.height() && image.pixelColor(x, top) == background) ++top;
    while (bottom > top && image.pixelColor(x, bottom) == background) --bottom;
    if (bottom - top < 4 || image.pixelColor(x, top) != image.pixelColor(x, bottom))
      faults << QStringLiteral("%1: indicator rows %2..%3 of %4")
                    .arg(Name(check, check->text()))
                    .arg(top)
                    .arg(bottom)
                    .arg(image.height());
  }
  return faults;
}

}  // namespace qor::test
