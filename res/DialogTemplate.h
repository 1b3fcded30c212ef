#pragma once
// Dialog templates as data: every item of a window with its ID, kind, text,
// place in dialog units and style, in template order (which is tab order).

#include <cstdint>
#include <span>

namespace qor::res {

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_STATIC = -1;

// Resource numbers.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_QORCONFIG_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_KEYCODE_DIALOG = 130;
constexpr int IDB_BOARD = 132;
constexpr int IDD_JOYMOUSE_DIALOG = 133;
constexpr int IDD_ANALOG_DIALOG = 134;

enum class ItemKind {
  PushButton,
  GroupBox,
  Static,
  Bitmap,  // the board picture; `resource` names it
  Icon,    // the application icon; `resource` names it
  Edit,
  DropDownList,
  CheckBox,
  UpDown,    // attaches itself to the edit before it
  TrackBar,
  Custom,    // a window class of the program's own; `windowClass` names it
};

// Style notes. Alignment applies to statics and edits.
enum Style : std::uint32_t {
  None = 0,
  TabStop = 1u << 0,
  Disabled = 1u << 1,
  DefaultButton = 1u << 2,
  AlignLeft = 1u << 3,
  AlignCenter = 1u << 4,
  AlignRight = 1u << 5,
  ReadOnly = 1u << 6,
  Border = 1u << 7,
  AutoHScroll = 1u << 8,
  VScroll = 1u << 9,
  DigitsOnly = 1u << 10,
  AutoCheckBox = 1u << 11,
  NoTicks = 1u << 12,
  BothThumb = 1u << 13,
  // Up-down: placed at the buddy's right edge, writes its position into the
  // buddy as a number, answers the arrow keys.
  UpDownBuddy = 1u << 14,
};

struct DialogItem {
  int id;
  ItemKind kind;
  const char* text;
  int x, y, cx, cy;
  std::uint32_t style;
  int resource = 0;
  const char* windowClass = nullptr;
};

struct DialogTemplate {
  int id;
  const char* caption;
  int cx, cy;
  const char* fontName;
  int pointSize;
  std::span<const DialogItem> items;
};

// nullptr for an unknown template number.
const DialogTemplate* FindDialogTemplate(int id);

// The string table.
const char* LoadString(int id);

}  // namespace qor::res
