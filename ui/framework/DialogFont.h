#pragma once

#include <QFont>

#include "ui/framework/DialogUnits.h"

namespace qor::ui {

// The templates' "MS Shell Dlg" is the desktop's sans-serif face.
QFont DialogFont(int pointSize);
DialogBaseUnits DialogBaseUnitsOf(const QFont& font);

}  // namespace qor::ui
