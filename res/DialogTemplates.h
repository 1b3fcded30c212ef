#pragma once
// The dialog templates: every window's controls with their IDs, kinds, texts,
// places in dialog units and styles, in template order. Constant data, so the
// compiler checks them, and the dialogs' IDs against them.

#include "res/DialogTemplate.h"
#include "res/StringTable.h"

namespace qor::res::templates {

using K = ItemKind;
inline constexpr std::uint32_t Button = TabStop;
inline constexpr std::uint32_t List = TabStop;
inline constexpr std::uint32_t Label = None;
inline constexpr std::uint32_t PinLeft = ReadOnly | Border | AlignRight;
inline constexpr std::uint32_t PinRight = ReadOnly | Border;
inline constexpr std::uint32_t ZoneEdit = TabStop | Border;
inline constexpr std::uint32_t Check = TabStop;

inline constexpr DialogItem AboutItems[] = {
    {IDC_STATIC, K::Icon, "", 12, 12, 20, 20, None, IDR_MAINFRAME},
    {IDC_STATIC, K::Static, "QOR Configuration Application Version 1.3", 40, 10, 143, 12, Label},
    {IDC_STATIC, K::Static, "Copyright (C) 2026 QOR Config", 40, 25, 126, 8, Label},
    {IDOK, K::PushButton, "OK", 180, 15, 50, 16, Button | DefaultButton},
};

// The terminal rows of the board picture, top to bottom.
inline constexpr int PinRow[10] = {134, 145, 158, 174, 187, 198, 211, 222, 235, 246};

inline constexpr DialogItem MainItems[] = {
    {IDC_SCAN_DEVICES, K::PushButton, "Scan Devices", 18, 18, 54, 13, Button},
    {IDC_DEVICE_LIST, K::DropDownList, "", 78, 18, 114, 54, List | Disabled},
    {IDC_REREAD_DEVICE, K::PushButton, "Reread Device", 198, 18, 60, 12, Button | Disabled},
    {IDC_BOARD_ID_LIST, K::DropDownList, "", 42, 60, 30, 36, List | Disabled},
    {IDC_MODE_LIST, K::DropDownList, "", 114, 60, 150, 54, List},
    {IDC_SAVE_SETTINGS, K::PushButton, "Save Settings", 6, 300, 54, 12, Button | Disabled},
    {IDOK, K::PushButton, "Done", 228, 300, 42, 12, Button | DefaultButton},
    {IDC_STATIC, K::GroupBox, "Device Selection", 6, 6, 264, 36, None},
    {IDC_STATIC, K::GroupBox, "QOR Options", 6, 48, 264, 48, None},
    {IDC_STATIC, K::Static, "QOR Mode", 78, 60, 32, 8, AlignRight},
    {IDC_STATIC, K::Bitmap, "", 84, 134, 112, 154, None, IDB_BOARD},
    {IDC_STATIC, K::GroupBox, "Wiring Diagram", 6, 102, 264, 192, None},
    {IDC_PIN_L1, K::Edit, "", 24, PinRow[0], 54, 12, PinLeft},
    {IDC_PIN_L2, K::Edit, "", 24, PinRow[1], 54, 12, PinLeft},
    {IDC_PIN_L3, K::Edit, "", 24, PinRow[2], 54, 12, PinLeft},
    {IDC_PIN_L4, K::Edit, "", 24, PinRow[3], 54, 12, PinLeft},
    {IDC_PIN_L5, K::Edit, "", 24, PinRow[4], 54, 12, PinLeft},
    {IDC_PIN_L6, K::Edit, "", 24, PinRow[5], 54, 12, PinLeft},
    {IDC_PIN_L7, K::Edit, "", 24, PinRow[6], 54, 12, PinLeft},
    {IDC_PIN_L8, K::Edit, "", 24, PinRow[7], 54, 12, PinLeft},
    {IDC_PIN_L9, K::Edit, "", 24, PinRow[8], 54, 12, PinLeft},
    {IDC_PIN_L10, K::Edit, "", 24, PinRow[9], 54, 12, PinLeft},
    {IDC_PIN_R1, K::Edit, "", 198, PinRow[0], 54, 12, PinRight},
    {IDC_PIN_R2, K::Edit, "", 198, PinRow[1], 54, 12, PinRight},
    {IDC_PIN_R3, K::Edit, "", 198, PinRow[2], 54, 12, PinRight},
    {IDC_PIN_R4, K::Edit, "", 198, PinRow[3], 54, 12, PinRight},
    {IDC_PIN_R5, K::Edit, "", 198, PinRow[4], 54, 12, PinRight},
    {IDC_PIN_R6, K::Edit, "", 198, PinRow[5], 54, 12, PinRight},
    {IDC_PIN_R7, K::Edit, "", 198, PinRow[6], 54, 12, PinRight},
    {IDC_PIN_R8, K::Edit, "", 198, PinRow[7], 54, 12, PinRight},
    {IDC_PIN_R9, K::Edit, "", 198, PinRow[8], 54, 12, PinRight},
    {IDC_PIN_R10, K::Edit, "", 198, PinRow[9], 54, 12, PinRight},
    {IDC_GROUND, K::Edit, "", 102, 115, 36, 12, PinLeft},
    {IDC_POWER, K::Edit, "", 144, 115, 36, 12, PinRight},
    {IDC_STATIC, K::Static, "QOR ID", 12, 60, 24, 8, Label},
    {IDC_KEYSTICK_SETUP, K::PushButton, "KeyStick Setup", 108, 78, 60, 12, Button | Disabled},
    {IDC_ANALOG_SETUP, K::PushButton, "Analog Setup", 12, 78, 54, 12, Button | Disabled},
    {IDC_JOYMOUSE_SETUP, K::PushButton, "JoyMouse Setup", 204, 78, 60, 12, Button | Disabled},
    {IDC_IMPORT_SETTINGS, K::PushButton, "Import Settings", 66, 300, 60, 12, Button | Disabled},
    {IDC_EXPORT_SETTINGS, K::PushButton, "Export Settings", 132, 300, 60, 12, Button | Disabled},
};

inline constexpr DialogItem KeycodeItems[] = {
    {IDCANCEL, K::PushButton, "Ok", 198, 324, 42, 12, Button},
    {IDC_STATIC, K::GroupBox, "Dead Zone", 6, 6, 234, 132, None},
    {IDC_STATIC, K::GroupBox, "Key Codes", 6, 138, 234, 180, None},
    {IDC_KEY_UP, K::DropDownList, "", 48, 150, 66, 96, List},
    {IDC_ZONE_TOP, K::Edit, "", 36, 36, 36, 12, ZoneEdit},
    {IDC_SPIN_TOP, K::UpDown, "", 60, 36, 11, 12, None},
    {IDC_ZONE_BOTTOM, K::Edit, "", 36, 78, 36, 12, ZoneEdit},
    {IDC_SPIN_BOTTOM, K::UpDown, "", 60, 78, 11, 12, None},
    {IDC_ZONE_LEFT, K::Edit, "", 78, 114, 36, 12, ZoneEdit},
    {IDC_SPIN_LEFT, K::UpDown, "", 102, 114, 11, 12, None},
    {IDC_ZONE_RIGHT, K::Edit, "", 144, 114, 36, 12, ZoneEdit},
    {IDC_SPIN_RIGHT, K::UpDown, "", 168, 114, 11, 12, None},
    {IDC_STATIC, K::Static, "Top", 36, 48, 36, 8, AlignCenter},
    {IDC_STATIC, K::Static, "Bottom", 36, 90, 36, 8, AlignCenter},
    {IDC_STATIC, K::Static, "Left", 78, 126, 36, 8, AlignCenter},
    {IDC_STATIC, K::Static, "Right", 144, 126, 36, 8, AlignCenter},
    {IDC_KEY_DOWN, K::DropDownList, "", 48, 168, 66, 96, List},
    {IDC_KEY_LEFT, K::DropDownList, "", 162, 150, 66, 96, List},
    {IDC_KEY_RIGHT, K::DropDownList, "", 162, 168, 66, 96, List},
    {IDC_KEY_BUTTON1, K::DropDownList, "", 48, 192, 66, 96, List},
    {IDC_KEY_BUTTON2, K::DropDownList, "", 48, 210, 66, 96, List},
    {IDC_KEY_BUTTON3, K::DropDownList, "", 48, 227, 66, 96, List},
    {IDC_KEY_BUTTON4, K::DropDownList, "", 48, 246, 66, 96, List},
    {IDC_KEY_BUTTON5, K::DropDownList, "", 48, 264, 66, 96, List},
    {IDC_KEY_BUTTON6, K::DropDownList, "", 48, 282, 66, 96, List},
    {IDC_KEY_BUTTON7, K::DropDownList, "", 48, 299, 66, 96, List},
    {IDC_KEY_BUTTON8, K::DropDownList, "", 162, 192, 66, 96, List},
    {IDC_KEY_BUTTON9, K::DropDownList, "", 162, 210, 66, 96, List},
    {IDC_KEY_BUTTON10, K::DropDownList, "", 162, 227, 66, 96, List},
    {IDC_KEY_BUTTON11, K::DropDownList, "", 162, 246, 66, 96, List},
    {IDC_KEY_BUTTON12, K::DropDownList, "", 162, 264, 66, 96, List},
    {IDC_KEY_BUTTON13, K::DropDownList, "", 162, 282, 66, 96, List},
    {IDC_KEY_BUTTON14, K::DropDownList, "", 162, 299, 66, 96, List},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_UP), 12, 150, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_DOWN), 12, 168, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_LEFT), 132, 150, 24, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_RIGHT), 132, 168, 24, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON1), 12, 192, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON2), 12, 209, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON3), 12, 227, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON4), 12, 246, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON5), 12, 264, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON6), 12, 281, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON7), 12, 299, 30, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON8), 120, 192, 36, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON9), 120, 209, 36, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON10), 120, 227, 36, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON11), 120, 246, 36, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON12), 120, 264, 36, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON13), 120, 281, 36, 8, AlignRight},
    {IDC_STATIC, K::Static, LoadString(IDS_INPUT_BUTTON14), 120, 299, 36, 8, AlignRight},
    // The preview, a control class of the program's own: "MFCJoyThreshBoxCtrl".
    {IDC_ZONE_PREVIEW, K::Custom, "Custom1", 78, 24, 102, 84, TabStop},
    {IDC_STATIC, K::Static, "0", 76, 15, 8, 8, AlignCenter},
    {IDC_STATIC, K::Static, "255", 173, 15, 12, 8, Label},
    {IDC_STATIC, K::Static, "0", 69, 23, 8, 8, AlignCenter},
    {IDC_STATIC, K::Static, "255", 64, 102, 12, 8, Label},
};

inline constexpr DialogItem JoyMouseItems[] = {
    {IDOK, K::PushButton, "OK", 144, 204, 48, 12, Button | DefaultButton},
    {IDC_JOYMOUSE_ENABLE, K::CheckBox, "Enable JoyMouse", 66, 156, 72, 8, Check},
    {IDC_JOYMOUSE_SPEED, K::TrackBar, "", 30, 168, 144, 12, TabStop},
    {IDC_STATIC, K::Static, "JoyMouse Speed", 6, 180, 186, 8, AlignCenter},
    {IDC_STATIC, K::GroupBox, "JoyMouse Options", 6, 144, 186, 54, None},
    {IDC_STATIC, K::GroupBox, "Dead Zone", 6, 6, 186, 132, None},
    {IDC_ZONE_TOP, K::Edit, "", 12, 34, 36, 12, ZoneEdit | DigitsOnly},
    {IDC_SPIN_TOP, K::UpDown, "", 36, 34, 11, 12, None},
    {IDC_ZONE_BOTTOM, K::Edit, "", 12, 76, 36, 12, ZoneEdit | DigitsOnly},
    {IDC_SPIN_BOTTOM, K::UpDown, "", 36, 76, 11, 12, None},
    {IDC_ZONE_LEFT, K::Edit, "", 60, 111, 36, 12, ZoneEdit | DigitsOnly},
    {IDC_SPIN_LEFT, K::UpDown, "", 84, 111, 11, 12, None},
    {IDC_ZONE_RIGHT, K::Edit, "", 114, 111, 36, 12, ZoneEdit | DigitsOnly},
    {IDC_SPIN_RIGHT, K::UpDown, "", 138, 111, 11, 12, None},
    {IDC_STATIC, K::Static, "Bottom", 12, 90, 36, 8, AlignCenter},
    {IDC_STATIC, K::Static, "Left", 60, 124, 36, 8, AlignCenter},
    {IDC_STATIC, K::Static, "Right", 114, 124, 36, 8, AlignCenter},
    {IDC_STATIC, K::Static, "Top", 12, 46, 36, 8, AlignCenter},
    // The preview, a control class of the program's own: "MFCJoyThreshBoxCtrl".
    {IDC_ZONE_PREVIEW, K::Custom, "Custom1", 54, 22, 102, 84, TabStop},
    {IDC_STATIC, K::Static, "0", 52, 12, 8, 8, Label},
    {IDC_STATIC, K::Static, "255", 150, 12, 12, 8, Label},
    {IDC_STATIC, K::Static, "0", 45, 18, 8, 8, Label},
    {IDC_STATIC, K::Static, "255", 40, 100, 12, 8, Label},
};

inline constexpr DialogItem AnalogItems[] = {
    {IDOK, K::PushButton, "OK", 144, 48, 48, 12, Button | DefaultButton},
    {IDCANCEL, K::PushButton, "Cancel", 90, 48, 48, 12, Button},
    {IDC_STATIC, K::GroupBox, "Connected Analog Inputs", 6, 6, 186, 36, None},
    {IDC_ANALOG1, K::CheckBox, "Analog 1", 12, 18, 54, 8, Check},
    {IDC_ANALOG2, K::CheckBox, "Analog 2", 12, 30, 42, 8, Check},
    {IDC_ANALOG3, K::CheckBox, "Analog 3", 78, 18, 42, 8, Check},
    {IDC_ANALOG4, K::CheckBox, "Analog 4", 78, 30, 42, 8, Check},
    {IDC_ANALOG5, K::CheckBox, "Analog 5", 144, 18, 42, 8, Check},
    {IDC_ANALOG6, K::CheckBox, "Analog 6", 144, 30, 42, 8, Check},
};

static_assert(IdsAreUnique(AboutItems), "two controls of the About box share an ID");
static_assert(IdsAreUnique(MainItems), "two controls of the main window share an ID");
static_assert(IdsAreUnique(KeycodeItems), "two controls of the KeyStick dialog share an ID");
static_assert(IdsAreUnique(JoyMouseItems), "two controls of the JoyMouse dialog share an ID");
static_assert(IdsAreUnique(AnalogItems), "two controls of the analog dialog share an ID");

}  // namespace qor::res::templates
