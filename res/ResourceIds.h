#pragma once
// Every identifier of the program's resources, named once: dialog templates,
// their controls, strings, pictures and window-menu commands. Templates,
// dialogs and tests all use these names, so renumbering a control here
// renumbers it everywhere.
//
// Control IDs are unique within their template only: the same number may
// name different controls of different dialogs.

namespace qor::res {

// A control's ID with the symbol it is written as, so that a fault can name
// the control as the code does ("IDC_GROUND", not 1042). It stands wherever
// its number does.
struct ControlId {
  int Value;
  const char* Symbol;
  constexpr operator int() const { return Value; }
};

#define QOR_CONTROL_ID(name, value) \
  inline constexpr ControlId name { value, #name }

// Commands of the dialog manager.
QOR_CONTROL_ID(IDOK, 1);
QOR_CONTROL_ID(IDCANCEL, 2);
QOR_CONTROL_ID(IDC_STATIC, -1);

// Dialog templates.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_QORCONFIG_DIALOG = 102;
constexpr int IDD_KEYCODE_DIALOG = 130;
constexpr int IDD_JOYMOUSE_DIALOG = 133;
constexpr int IDD_ANALOG_DIALOG = 134;

// Pictures.
constexpr int IDR_MAINFRAME = 128;  // the application icon
constexpr int IDB_BOARD = 132;      // the board of the wiring diagram

// Window-menu commands of the main window.
constexpr int IDM_ABOUTBOX = 0x0010;

// The main window (IDD_QORCONFIG_DIALOG). "Done" is IDOK.
QOR_CONTROL_ID(IDC_SCAN_DEVICES, 1000);
QOR_CONTROL_ID(IDC_REREAD_DEVICE, 1001);
QOR_CONTROL_ID(IDC_DEVICE_LIST, 1008);
QOR_CONTROL_ID(IDC_MODE_LIST, 1009);
QOR_CONTROL_ID(IDC_BOARD_ID_LIST, 1010);
QOR_CONTROL_ID(IDC_KEYSTICK_SETUP, 1018);
QOR_CONTROL_ID(IDC_SAVE_SETTINGS, 1019);
QOR_CONTROL_ID(IDC_ANALOG_SETUP, 1093);
QOR_CONTROL_ID(IDC_JOYMOUSE_SETUP, 1094);
QOR_CONTROL_ID(IDC_IMPORT_SETTINGS, 1096);
QOR_CONTROL_ID(IDC_EXPORT_SETTINGS, 1097);
// The terminal boxes of the wiring diagram: left column top to bottom, then
// the right column, then the two terminals above the picture.
QOR_CONTROL_ID(IDC_PIN_L1, 1022);
QOR_CONTROL_ID(IDC_PIN_L2, 1023);
QOR_CONTROL_ID(IDC_PIN_L3, 1024);
QOR_CONTROL_ID(IDC_PIN_L4, 1025);
QOR_CONTROL_ID(IDC_PIN_L5, 1026);
QOR_CONTROL_ID(IDC_PIN_L6, 1027);
QOR_CONTROL_ID(IDC_PIN_L7, 1028);
QOR_CONTROL_ID(IDC_PIN_L8, 1029);
QOR_CONTROL_ID(IDC_PIN_L9, 1030);
QOR_CONTROL_ID(IDC_PIN_L10, 1031);
QOR_CONTROL_ID(IDC_PIN_R1, 1032);
QOR_CONTROL_ID(IDC_PIN_R2, 1033);
QOR_CONTROL_ID(IDC_PIN_R3, 1034);
QOR_CONTROL_ID(IDC_PIN_R4, 1035);
QOR_CONTROL_ID(IDC_PIN_R5, 1036);
QOR_CONTROL_ID(IDC_PIN_R6, 1037);
QOR_CONTROL_ID(IDC_PIN_R7, 1038);
QOR_CONTROL_ID(IDC_PIN_R8, 1039);
QOR_CONTROL_ID(IDC_PIN_R9, 1040);
QOR_CONTROL_ID(IDC_PIN_R10, 1041);
QOR_CONTROL_ID(IDC_GROUND, 1042);
QOR_CONTROL_ID(IDC_POWER, 1043);

// The dead-zone part of the KeyStick and JoyMouse dialogs: an edit and its
// up-down for each edge, and the preview.
QOR_CONTROL_ID(IDC_ZONE_TOP, 1045);
QOR_CONTROL_ID(IDC_ZONE_BOTTOM, 1046);
QOR_CONTROL_ID(IDC_ZONE_LEFT, 1047);
QOR_CONTROL_ID(IDC_ZONE_RIGHT, 1048);
QOR_CONTROL_ID(IDC_SPIN_TOP, 1015);
QOR_CONTROL_ID(IDC_SPIN_BOTTOM, 1049);
QOR_CONTROL_ID(IDC_SPIN_LEFT, 1050);
QOR_CONTROL_ID(IDC_SPIN_RIGHT, 1051);
QOR_CONTROL_ID(IDC_ZONE_PREVIEW, 1095);

// The KeyStick dialog (IDD_KEYCODE_DIALOG): its "Ok" is IDCANCEL; the key
// selectors of the 18 KeyStick inputs.
QOR_CONTROL_ID(IDC_KEY_UP, 1008);
QOR_CONTROL_ID(IDC_KEY_DOWN, 1009);
QOR_CONTROL_ID(IDC_KEY_LEFT, 1010);
QOR_CONTROL_ID(IDC_KEY_RIGHT, 1011);
QOR_CONTROL_ID(IDC_KEY_BUTTON1, 1012);
QOR_CONTROL_ID(IDC_KEY_BUTTON2, 1013);
QOR_CONTROL_ID(IDC_KEY_BUTTON3, 1014);
QOR_CONTROL_ID(IDC_KEY_BUTTON4, 1016);
QOR_CONTROL_ID(IDC_KEY_BUTTON5, 1017);
QOR_CONTROL_ID(IDC_KEY_BUTTON6, 1018);
QOR_CONTROL_ID(IDC_KEY_BUTTON7, 1019);
QOR_CONTROL_ID(IDC_KEY_BUTTON8, 1021);
QOR_CONTROL_ID(IDC_KEY_BUTTON9, 1022);
QOR_CONTROL_ID(IDC_KEY_BUTTON10, 1023);
QOR_CONTROL_ID(IDC_KEY_BUTTON11, 1024);
QOR_CONTROL_ID(IDC_KEY_BUTTON12, 1025);
QOR_CONTROL_ID(IDC_KEY_BUTTON13, 1026);
QOR_CONTROL_ID(IDC_KEY_BUTTON14, 1027);

// The JoyMouse dialog (IDD_JOYMOUSE_DIALOG). "OK" is IDOK.
QOR_CONTROL_ID(IDC_JOYMOUSE_ENABLE, 1011);
QOR_CONTROL_ID(IDC_JOYMOUSE_SPEED, 1016);

// The analog-inputs dialog (IDD_ANALOG_DIALOG): "Analog 1" .. "Analog 6".
QOR_CONTROL_ID(IDC_ANALOG1, 1012);
QOR_CONTROL_ID(IDC_ANALOG2, 1013);
QOR_CONTROL_ID(IDC_ANALOG3, 1014);
QOR_CONTROL_ID(IDC_ANALOG4, 1071);
QOR_CONTROL_ID(IDC_ANALOG5, 1072);
QOR_CONTROL_ID(IDC_ANALOG6, 1073);

// The string table.
constexpr int IDS_ABOUTBOX = 101;  // the main window's menu item for the About box
// Messages.
constexpr int IDS_NO_DEVICES = 200;
constexpr int IDS_COMMUNICATION_FAILURE = 201;
constexpr int IDS_SETTINGS_SAVED = 202;
constexpr int IDS_SETTINGS_LOADED = 203;
constexpr int IDS_SETTINGS_EXPORTED = 204;
constexpr int IDS_FILE_CANNOT_READ = 205;
constexpr int IDS_FILE_CORRUPT = 206;
constexpr int IDS_FILE_CANNOT_WRITE = 207;
constexpr int IDS_FILE_WRITE_ERROR = 208;
constexpr int IDS_DEADZONE_TOP_BOTTOM = 210;
constexpr int IDS_DEADZONE_LEFT_RIGHT = 211;
// What to do about attached boards closed to the user, by what stands in
// the way: %1 names the board(s) (IDS_ACCESS_ONE_BOARD or IDS_ACCESS_BOARDS
// of the node list), %2 the installed access rule, %3 the installed plugdev
// example. qorctl says it in full, the window's line under "No devices
// found!" shortly.
constexpr int IDS_ACCESS_ONE_BOARD = 212;
constexpr int IDS_ACCESS_BOARDS = 213;
constexpr int IDS_ACCESS_RULE_MISSING = 214;
constexpr int IDS_ACCESS_RULE_NOT_APPLIED = 215;
constexpr int IDS_ACCESS_NOT_AT_THE_SEAT = 216;
constexpr int IDS_ACCESS_RULE_MISSING_SHORT = 217;
constexpr int IDS_ACCESS_RULE_NOT_APPLIED_SHORT = 218;
constexpr int IDS_ACCESS_NOT_AT_THE_SEAT_SHORT = 219;
// Tooltips of the main window's controls.
constexpr int IDS_TIP_SCAN_DEVICES = 220;
constexpr int IDS_TIP_REREAD_DEVICE = 221;
constexpr int IDS_TIP_DEVICE_LIST = 222;
constexpr int IDS_TIP_SAVE_SETTINGS = 223;
constexpr int IDS_TIP_DONE = 224;
constexpr int IDS_TIP_ANALOG_SETUP = 225;
constexpr int IDS_TIP_KEYSTICK_SETUP = 226;
constexpr int IDS_TIP_JOYMOUSE_SETUP = 227;
constexpr int IDS_TIP_IMPORT_SETTINGS = 228;
constexpr int IDS_TIP_EXPORT_SETTINGS = 229;
// The fixed texts of the Ground and Power terminal boxes.
constexpr int IDS_GROUND = 230;
constexpr int IDS_POWER = 231;
// The window's line under "No devices found!" on Windows: QOR boards the scan
// could not open, with Windows' reason (%1; for more than one board, %1 is
// their number and %2 the reason).
constexpr int IDS_UNOPENABLE_ONE_BOARD = 232;
constexpr int IDS_UNOPENABLE_BOARDS = 233;
// The mode list, in mode-value order: IDS_MODE_FIRST + mode.
constexpr int IDS_MODE_SINGLE_ANALOG_6AXIS = 240;
constexpr int IDS_MODE_DUAL_ANALOG_3AXIS = 241;
constexpr int IDS_MODE_SINGLE_DIGITAL_10BUTTON = 242;
constexpr int IDS_MODE_SINGLE_49WAY_12BUTTON = 243;
constexpr int IDS_MODE_SINGLE_ANALOG_KEYSTICK = 244;
constexpr int IDS_MODE_FIRST = IDS_MODE_SINGLE_ANALOG_6AXIS;
// The file chooser's filter and the window menu's close item.
constexpr int IDS_SETTINGS_FILE_FILTER = 250;
constexpr int IDS_CLOSE = 251;
// The KeyStick inputs as the KeyStick dialog labels them; qorctl names them
// the same way.
constexpr int IDS_INPUT_UP = 260;
constexpr int IDS_INPUT_DOWN = 261;
constexpr int IDS_INPUT_LEFT = 262;
constexpr int IDS_INPUT_RIGHT = 263;
constexpr int IDS_INPUT_BUTTON1 = 264;
constexpr int IDS_INPUT_BUTTON2 = 265;
constexpr int IDS_INPUT_BUTTON3 = 266;
constexpr int IDS_INPUT_BUTTON4 = 267;
constexpr int IDS_INPUT_BUTTON5 = 268;
constexpr int IDS_INPUT_BUTTON6 = 269;
constexpr int IDS_INPUT_BUTTON7 = 270;
constexpr int IDS_INPUT_BUTTON8 = 271;
constexpr int IDS_INPUT_BUTTON9 = 272;
constexpr int IDS_INPUT_BUTTON10 = 273;
constexpr int IDS_INPUT_BUTTON11 = 274;
constexpr int IDS_INPUT_BUTTON12 = 275;
constexpr int IDS_INPUT_BUTTON13 = 276;
constexpr int IDS_INPUT_BUTTON14 = 277;

#undef QOR_CONTROL_ID

}  // namespace qor::res
