#pragma once
// A group box as the dialog manager draws one: the frame's top line runs
// through the vertical middle of the title, and the title sits on the line,
// a little in from the left edge, with the window's background behind it.

#include <QGroupBox>

class QFontMetrics;

namespace qor::ui::qt {

class GroupFrame : public QGroupBox {
  Q_OBJECT

 public:
  GroupFrame(const QString& title, QWidget* parent);

  // The room the title needs beside its text: the indent on the left and as
  // much on the right, so it never runs into the corner.
  static int TitleRoom(const QFontMetrics& metrics);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qor::ui::qt
