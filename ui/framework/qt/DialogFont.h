#pragma once

#include <QFont>

#include "ui/framework/DialogUnits.h"
#include "ui/framework/FitBaseUnits.h"

class QStyle;

namespace qor::ui::qt {

// The templates' "MS Shell Dlg" 8 pt is the system's dialog font at its
// standard size: here the font the desktop hands to the application.
QFont DialogFont();
// The desktop's font, or a sans-serif at 9 pt when the platform chose none
// (a font whose size nobody set).
QFont DialogFontFrom(const QFont& applicationFont);

DialogBaseUnits DialogBaseUnitsOf(const QFont& font);

// The font's metrics and the room `style` keeps around the text of each kind
// of control, for FitBaseUnits.
FitMetrics FitMetricsOf(const QFont& font, const QStyle& style);

}  // namespace qor::ui::qt
