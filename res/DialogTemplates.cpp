#include "res/DialogTemplates.h"

namespace qor::res {
namespace {

using namespace templates;

constexpr DialogTemplate Templates[] = {
    {IDD_ABOUTBOX, "QOR Configuration", 237, 42, 8, AboutItems},
    {IDD_QORCONFIG_DIALOG, "QOR Configuration", 274, 318, 8, MainItems},
    {IDD_KEYCODE_DIALOG, "KeyStick Setup", 244, 342, 8, KeycodeItems},
    {IDD_JOYMOUSE_DIALOG, "JoyMouse Settings", 196, 222, 8, JoyMouseItems},
    {IDD_ANALOG_DIALOG, "Analog Settings", 196, 66, 8, AnalogItems},
};

}  // namespace

std::string_view ItemKindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::PushButton:
      return "push button";
    case ItemKind::GroupBox:
      return "group box";
    case ItemKind::Static:
      return "static text";
    case ItemKind::Bitmap:
      return "picture";
    case ItemKind::Icon:
      return "icon";
    case ItemKind::Edit:
      return "edit box";
    case ItemKind::DropDownList:
      return "drop-down list";
    case ItemKind::CheckBox:
      return "check box";
    case ItemKind::UpDown:
      return "up-down control";
    case ItemKind::TrackBar:
      return "track bar";
    case ItemKind::Custom:
      return "custom control";
  }
  return "control";
}

const DialogTemplate* FindDialogTemplate(int id) {
  for (const DialogTemplate& t : Templates)
    if (t.Id == id) return &t;
  return nullptr;
}

}  // namespace qor::res
