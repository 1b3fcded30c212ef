#pragma once
// Dialog templates as data: every item of a window with its ID, kind, text,
// place in dialog units and style, in template order (which is tab order).

#include <cstdint>
#include <span>

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

struct DialogItem {
  int Id;
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

}  // namespace qor::res
