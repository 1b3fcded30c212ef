#include "ui/framework/qt/Picture.h"

#include <QPainter>

#include "ui/framework/qt/Pictures.h"

namespace qor::ui::qt {

Picture::Picture(int resource, QSize fixedSize, QWidget* parent)
    : QWidget(parent), m_Resource(resource), m_FixedSize(fixedSize) {}

const QPixmap& Picture::Drawn() const {
  const QSize size = m_FixedSize.isEmpty() ? this->size() : m_FixedSize;
  const qreal ratio = devicePixelRatioF();
  if (m_Drawn.isNull() || m_Drawn.devicePixelRatio() != ratio || m_Drawn.deviceIndependentSize() != QSizeF(size))
    m_Drawn = ResourceImage(m_Resource, size, ratio);
  return m_Drawn;
}

void Picture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, Drawn());
}

}  // namespace qor::ui::qt
