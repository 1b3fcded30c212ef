#pragma once
// Dialog templates as data: every item of a window with its ID, kind, text,
// place in dialog units and style, in template order (which is tab order).

#include <cstdint>
#include <span>
#include <string_view>

#include "res/ResourceIds.h"

namespace qor::res {

enum class ItemKind {
  PushButton,
  GroupBox,
  Static,
  Bitmap,  // the board picture; `resource` names it
  Icon,    // the application icon; `resource` names it
  Edit,
  DropDownList,
  CheckBox,
  UpDown,  // attaches itself to the edit before it, at its right edge
  TrackBar,
  Custom,  // the window of a control class of the program's own, the dead-zone preview
};

// Style notes that the window reads. Alignment applies to statics and edits;
// without one they are left-aligned.
enum Style : std::uint32_t {
  None = 0,
  TabStop = 1u << 0,
  Disabled = 1u << 1,
  DefaultButton = 1u << 2,
  AlignCenter = 1u << 3,
  AlignRight = 1u << 4,
  ReadOnly = 1u << 5,
  Border = 1u << 6,
  DigitsOnly = 1u << 7,
};

// The kind as a person calls it, for faults: "check box".
std::string_view ItemKindName(ItemKind kind);

struct DialogItem {
  ControlId Id;
  ItemKind Kind;
  const char* Text;
  int X, Y, Cx, Cy;
  std::uint32_t Style;
  int Resource = 0;
};

struct DialogTemplate {
  int Id;
  const char* Caption;
  int Cx, Cy;
  int PointSize;
  std::span<const DialogItem> Items;
};

// nullptr for an unknown template number.
const DialogTemplate* FindDialogTemplate(int id);

// Checks the templates and the dialogs' arrays of IDs at compile time, so
// that a control renumbered onto another's number stops the build instead of
// binding one control twice.

// No two controls of the template share an ID (statics have none).
constexpr bool IdsAreUnique(std::span<const DialogItem> items) {
  for (std::size_t i = 0; i < items.size(); ++i)
    for (std::size_t j = i + 1; j < items.size(); ++j)
      if (items[i].Id != IDC_STATIC && items[i].Id.Value == items[j].Id.Value) return false;
  return true;
}

// Each of `ids` names a control of `kind` in the template, and none twice.
constexpr bool HasControls(std::span<const DialogItem> items, std::span<const ControlId> ids, ItemKind kind) {
  for (std::size_t i = 0; i < ids.size(); ++i) {
    for (std::size_t j = i + 1; j < ids.size(); ++j)
      if (ids[i].Value == ids[j].Value) return false;
    bool found = false;
    for (const DialogItem& item : items) found = found || (item.Id.Value == ids[i].Value && item.Kind == kind);
    if (!found) return false;
  }
  return true;
}

}  // namespace qor::res
