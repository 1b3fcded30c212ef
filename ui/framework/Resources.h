#pragma once

#include <QIcon>
#include <QPixmap>

#include "res/ResourceIds.h"

namespace qor::ui {

// A picture of the resource table (the board picture, the application icon)
// drawn at the given size.
QPixmap ResourceImage(int resource, QSize size);
QIcon ApplicationIcon();

// A text of the string table.
QString ResourceString(int id);

}  // namespace qor::ui
