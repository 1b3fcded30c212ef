#include "ui/framework/Resources.h"

#include <QPainter>
#include <QSvgRenderer>

#include "res/StringTable.h"

// The pictures are compiled into a static library, so their registration is
// pulled in by hand.
static void RegisterPictures() { Q_INIT_RESOURCE(res); }

namespace qor::ui {
namespace {

QString ResourcePath(int resource) {
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

QPixmap ResourceImage(int resource, QSize size) {
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(ResourcePath(resource));
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(ResourceImage(res::IDR_MAINFRAME, QSize(size, size)));
  return icon;
}

QString ResourceString(int id) { return QString::fromLatin1(res::LoadString(id)); }

}  // namespace qor::ui
