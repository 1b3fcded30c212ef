#pragma once

#include <QIcon>
#include <QPixmap>

namespace qor::ui {

// A picture of the resource table (the board picture, the application icon)
// drawn at the given size.
QPixmap ResourceImage(int resource, QSize size);
QIcon ApplicationIcon();

}  // namespace qor::ui
