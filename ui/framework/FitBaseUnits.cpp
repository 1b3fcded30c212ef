#include "ui/framework/FitBaseUnits.h"

#include <algorithm>

namespace qor::ui {
namespace {

using res::DialogItem;
using res::ItemKind;

// Beyond four times the font's units a window would leave any screen; the
// search stops there.
constexpr int MaxGrowth = 4;

const TextChrome* ChromeOf(const DialogItem& item, const FitMetrics& metrics) {
  switch (item.Kind) {
    case ItemKind::Static:
      return &metrics.StaticText;
    case ItemKind::PushButton:
      return &metrics.PushButton;
    case ItemKind::CheckBox:
      return &metrics.CheckBox;
    case ItemKind::GroupBox:
      return &metrics.GroupTitle;
    case ItemKind::DropDownList:
      return &metrics.DropDownList;
    default:
      return nullptr;
  }
}

// The widest text the item shows: its caption, or for a list its widest entry.
int WidestText(const DialogItem& item, const FitMetrics& metrics, const ListEntries& entries) {
  if (item.Kind != ItemKind::DropDownList) return metrics.TextWidth(item.Text);
  const auto found = entries.find(item.Id);
  if (found == entries.end()) return 0;
  int widest = 0;
  for (const std::string& entry : found->second) widest = std::max(widest, metrics.TextWidth(entry));
  return widest;
}

bool Inside(const DialogItem& inner, const DialogItem& outer) {
  return inner.X >= outer.X && inner.Y >= outer.Y && inner.X + inner.Cx <= outer.X + outer.Cx &&
         inner.Y + inner.Cy <= outer.Y + outer.Cy;
}

// The least unit from `least` up at which `fits` holds.
template <class Fits>
int SmallestUnit(int least, Fits fits) {
  for (int unit = std::max(1, least); unit < std::max(1, least) * MaxGrowth; ++unit)
    if (fits(unit)) return unit;
  return std::max(1, least) * MaxGrowth;
}

}  // namespace

DialogBaseUnits FitBaseUnits(const res::DialogTemplate& dialogTemplate, const FitMetrics& metrics,
                             const ListEntries& entries) {
  struct Need {
    const DialogItem* Item;
    int Width;   // text plus chrome
    int Height;  // 0: the height is not the template's (a closed list)
  };
  std::vector<Need> needs;
  for (const DialogItem& item : dialogTemplate.Items) {
    const TextChrome* chrome = ChromeOf(item, metrics);
    if (!chrome) continue;
    const int text = WidestText(item, metrics, entries);
    const bool sized = item.Kind != ItemKind::DropDownList && item.Kind != ItemKind::GroupBox;
    needs.push_back({&item, text > 0 ? text + chrome->Width : 0, sized ? metrics.LineHeight + chrome->Height : 0});
  }

  const int x = SmallestUnit(metrics.FontUnits.X, [&](int unit) {
    const DialogBaseUnits units{unit, metrics.FontUnits.Y};
    return std::all_of(needs.begin(), needs.end(), [&](const Need& need) {
      const DialogItem& i = *need.Item;
      return MapDialogRect(i.X, i.Y, i.Cx, i.Cy, units).Width() >= need.Width;
    });
  });

  // A group's frame runs through the middle of its title, above every
  // control placed inside the group.
  const int titleMiddle = metrics.LineHeight / 2;
  const int y = SmallestUnit(metrics.FontUnits.Y, [&](int unit) {
    const DialogBaseUnits units{x, unit};
    for (const Need& need : needs) {
      const DialogItem& i = *need.Item;
      if (MapDialogRect(i.X, i.Y, i.Cx, i.Cy, units).Height() < need.Height) return false;
    }
    for (const DialogItem& group : dialogTemplate.Items) {
      if (group.Kind != ItemKind::GroupBox) continue;
      const int groupTop = MapDialogRect(group.X, group.Y, group.Cx, group.Cy, units).Top;
      for (const DialogItem& inner : dialogTemplate.Items)
        if (&inner != &group && inner.Kind != ItemKind::GroupBox && Inside(inner, group) &&
            MapDialogRect(inner.X, inner.Y, inner.Cx, inner.Cy, units).Top <= groupTop + titleMiddle)
          return false;
    }
    return true;
  });
  return DialogBaseUnits{x, y};
}

}  // namespace qor::ui
