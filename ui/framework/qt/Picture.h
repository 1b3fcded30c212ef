#pragma once
// A picture of the resource table in a static control: the board picture
// fills its place, the icon keeps the icon size at the top left. It is drawn
// from its SVG when first painted and again whenever the window's pixel ratio
// or the control's size changes, so it stays sharp on any screen and costs
// nothing before the window shows.

#include <QPixmap>
#include <QWidget>

namespace qor::ui::qt {

class Picture : public QWidget {
  Q_OBJECT

 public:
  // An empty `fixedSize` fills the control.
  Picture(int resource, QSize fixedSize, QWidget* parent);

  // The pixels as they are painted now: the picture's size times the
  // window's pixel ratio, carrying that ratio.
  const QPixmap& Drawn() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_Resource;
  QSize m_FixedSize;
  mutable QPixmap m_Drawn;
};

}  // namespace qor::ui::qt
