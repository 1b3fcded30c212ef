#pragma once
// A check box as the dialog manager draws one: the indicator centred
// vertically in the control's box and never cut (shrunk to the box when the
// style's indicator is taller), the text after it where the style puts text.

#include <QCheckBox>

namespace qor::ui::qt {

class CheckBox : public QCheckBox {
  Q_OBJECT

 public:
  CheckBox(const QString& text, QWidget* parent);

  // Where the text starts: the style's indicator and the gap after it.
  static int TextOffset(const QStyle& style);
  // The indicator's place inside the control.
  QRect IndicatorRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace qor::ui::qt
