#include "ui/framework/qt/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into a static library, so their registration is
// pulled in by hand.
static void RegisterPictures() { Q_INIT_RESOURCE(res); }

namespace qor::ui::qt {
namespace {

QString ResourcePath(int resource) {
  static const bool Registered = (RegisterPictures(), true);
  (void)Registered;
  switch (resource) {
    case res::IDB_BOARD:
      return QStringLiteral(":/res/board.svg");
    case res::IDR_MAINFRAME:
      return QStringLiteral(":/res/qorconfig.svg");
    default:
      return {};
  }
}

}  // namespace

QPixmap ResourceImage(int resource, QSize size, qreal devicePixelRatio) {
  QPixmap pixmap(QSize(qRound(size.width() * devicePixelRatio), qRound(size.height() * devicePixelRatio)));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(ResourcePath(resource));
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), pixmap.deviceIndependentSize()));
  return pixmap;
}

QIcon ResourceIcon(int resource) { return QIcon(ResourcePath(resource)); }

}  // namespace qor::ui::qt
