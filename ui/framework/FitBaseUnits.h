#pragma once
// Base units raised until every text of a window fits its control. Fonts
// differ in proportions, so a label sized in dialog units for one font can be
// too small for another; growing the units grows the whole window in
// proportion, and its layout stays the template's.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/framework/DialogUnits.h"

namespace qor::ui {

// The room a control keeps for itself around its text, in pixels.
struct TextChrome {
  int Width = 0;
  int Height = 0;
};

// The dialog font and the style that draws the controls, as the fitting sees them.
struct FitMetrics {
  DialogBaseUnits FontUnits;  // the font's own units: the fitting never goes below them
  int LineHeight = 0;
  std::function<int(std::string_view text)> TextWidth;
  TextChrome StaticText, PushButton, CheckBox, GroupTitle, DropDownList;
};

// The entries a window puts into its lists, by control ID.
using ListEntries = std::map<int, std::vector<std::string>>;

// The smallest base units, at least the font's own, at which every static
// text, push button, check box, group title and list entry fits its control
// and every group's title stays above the controls inside the group.
DialogBaseUnits FitBaseUnits(const res::DialogTemplate& dialogTemplate, const FitMetrics& metrics,
                             const ListEntries& entries = {});

}  // namespace qor::ui
