#include "ui/framework/FitBaseUnits.h"

#include <algorithm>

namespace qor::ui {
namespace {

using res::DialogItem;
using res::ItemKind;

// Beyond four times the font's units a window would leave any screen; the
// search stops there.
constexpr int kMaxGrowth = 4;

const TextChrome* ChromeOf(const DialogItem& item, const FitMetrics& metrics) {
  switch (item.kind) {
    case ItemKind::Static:
      return &metrics.staticText;
    case ItemKind::PushButton:
      return &metrics.pushButton;
    case ItemKind::CheckBox:
      return &metrics.checkBox;
    case ItemKind::GroupBox:
      return &metrics.groupTitle;
    case ItemKind::DropDownList:
      return &metrics.dropDownList;
    default:
      return nullptr;
  }
}

// The widest text the item shows: its caption, or for a list its widest entry.
int WidestText(const DialogItem& item, const FitMetrics& metrics, const ListEntries& entries) {
  if (item.kind != ItemKind::DropDownList) return metrics.textWidth(item.text);
  const auto found = entries.find(item.id);
  if (found == entries.end()) return 0;
  int widest = 0;
  for (const std::string& entry : found->second) widest = std::max(widest, metrics.textWidth(entry));
  return widest;
}

bool Inside(const DialogItem& inner, const DialogItem& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
         inner.y + inner.cy <= outer.y + outer.cy;
}

// The least unit from `least` up at which `fits` holds.
template <class Fits>
int SmallestUnit(int least, Fits fits) {
  for (int unit = std::max(1, least); unit < std::max(1, least) * kMaxGrowth; ++unit)
    if (fits(unit)) return unit;
  return std::max(1, least) * kMaxGrowth;
}

}  // namespace

DialogBaseUnits FitBaseUnits(const res::DialogTemplate& dialogTemplate, const FitMetrics& metrics,
                             const ListEntries& entries) {
  struct Need {
    const DialogItem* item;
    int width;   // text plus chrome
    int height;  // 0: the height is not the template's (a closed list)
  };
  std::vector<Need> needs;
  for (const DialogItem& item : dialogTemplate.items) {
    const TextChrome* chrome = ChromeOf(item, metrics);
    if (!chrome) continue;
    const int text = WidestText(item, metrics, entries);
    const bool sized = item.kind != ItemKind::DropDownList && item.kind != ItemKind::GroupBox;
    needs.push_back({&item, text > 0 ? text + chrome->width : 0, sized ? metrics.lineHeight + chrome->height : 0});
  }

  const int x = SmallestUnit(metrics.fontUnits.x, [&](int unit) {
    const DialogBaseUnits units{unit, metrics.fontUnits.y};
    return std::all_of(needs.begin(), needs.end(), [&](const Need& need) {
      const DialogItem& i = *need.item;
      return MapDialogRect(i.x, i.y, i.cx, i.cy, units).width() >= need.width;
    });
  });

  // A group's frame runs through the middle of its title, above every
  // control placed inside the group.
  const int titleMiddle = metrics.lineHeight / 2;
  const int y = SmallestUnit(metrics.fontUnits.y, [&](int unit) {
    const DialogBaseUnits units{x, unit};
    for (const Need& need : needs) {
      const DialogItem& i = *need.item;
      if (MapDialogRect(i.x, i.y, i.cx, i.cy, units).height() < need.height) return false;
    }
    for (const DialogItem& group : dialogTemplate.items) {
      if (group.kind != ItemKind::GroupBox) continue;
      const int groupTop = MapDialogRect(group.x, group.y, group.cx, group.cy, units).top;
      for (const DialogItem& inner : dialogTemplate.items)
        if (&inner != &group && inner.kind != ItemKind::GroupBox && Inside(inner, group) &&
            MapDialogRect(inner.x, inner.y, inner.cx, inner.cy, units).top <= groupTop + titleMiddle)
          return false;
    }
    return true;
  });
  return DialogBaseUnits{x, y};
}

}  // namespace qor::ui
