#include "ui/framework/qt/GroupFrame.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace qor::ui::qt {
namespace {

// The line stops this far before the title and starts again as far after it.
int TitleGap(const QFontMetrics& metrics) { return std::max(2, metrics.averageCharWidth() / 3); }
int TitleIndent(const QFontMetrics& metrics) { return metrics.averageCharWidth(); }

}  // namespace

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

int GroupFrame::TitleRoom(const QFontMetrics& metrics) { return 2 * (TitleIndent(metrics) + TitleGap(metrics)); }

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int lineY = metrics.height() / 2;

  // An etched frame in the palette's shades. Styles draw their own group
  // frames below the title, whatever rectangle they are given.
  qDrawShadeRect(&painter, QRect(0, lineY, width(), height() - lineY), palette(), true, 1, 0);

  if (title().isEmpty()) return;
  const int gap = TitleGap(metrics);
  const int textWidth = std::min(metrics.horizontalAdvance(title()), width() - TitleRoom(metrics));
  const QRect behind(TitleIndent(metrics), 0, textWidth + 2 * gap, metrics.height());
  painter.fillRect(behind, palette().brush(QPalette::Window));
  style()->drawItemText(&painter, behind.adjusted(gap, 0, -gap, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                        palette(), isEnabled(), title(), QPalette::WindowText);
}

}  // namespace qor::ui::qt
