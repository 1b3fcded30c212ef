#pragma once
// The pictures of the resource table, drawn from their SVG files.

#include <QIcon>
#include <QPixmap>

#include "res/ResourceIds.h"

namespace qor::ui::qt {

// A picture of the resource table (the board picture, the application icon)
// drawn from its SVG at `size` for a screen of `devicePixelRatio`: the pixmap
// holds size × ratio device pixels and carries the ratio, so it stays sharp.
QPixmap ResourceImage(int resource, QSize size, qreal devicePixelRatio = 1.0);
// A picture of the resource table as an icon, drawn at whatever size and
// ratio it is asked for when asked.
QIcon ResourceIcon(int resource);

}  // namespace qor::ui::qt
