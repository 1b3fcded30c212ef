// Renders an SVG icon to a square PNG of a given size, for the hicolor theme:
//   qor-render-icon INPUT.svg SIZE OUTPUT.png

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: qor-render-icon INPUT.svg SIZE OUTPUT.png\n";
    return 2;
  }
  // Drawing into an image needs no application object and no display.
  const int size = std::atoi(argv[2]);
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid() || size <= 0) {
    std::cerr << "qor-render-icon: cannot render " << argv[1] << " at size " << argv[2] << '\n';
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::cerr << "qor-render-icon: cannot write " << argv[3] << '\n';
    return 1;
  }
  return 0;
}
