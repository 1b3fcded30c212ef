#pragma once
// The string table: every text the program shows, by its IDS_ number.
// Plain C++ and usable at compile time, so the window, the dialog templates
// and qorctl all read the same texts.

#include <cstddef>
#include <iterator>
#include <string>

#include "res/ResourceIds.h"

namespace qor::res {
namespace detail {

struct StringEntry {
  int Id;
  const char* Text;
};

inline constexpr StringEntry Strings[] = {
    {IDS_ABOUTBOX, "&About QORConfig..."},

    {IDS_NO_DEVICES, "No devices found!"},
    {IDS_COMMUNICATION_FAILURE, "Device communication interrupted!\nPlease verify device connection."},
    {IDS_SETTINGS_SAVED, "Settings Saved! Please disconnect and reconnect device to apply changes."},
    {IDS_SETTINGS_LOADED, "Settings loaded! To apply, please click \"Save Settings\""},
    {IDS_SETTINGS_EXPORTED, "Settings exported!"},
    {IDS_FILE_CANNOT_READ, "Could not open file for reading! Please check file permissions and try again."},
    {IDS_FILE_CORRUPT, "Settings file appears to be corrupt.  Please verify and try again."},
    {IDS_FILE_CANNOT_WRITE,
     "Could not open file for writing! Please verify that you have write permission in the destination folder."},
    {IDS_FILE_WRITE_ERROR,
     "An error occured while attempting to write the settings file.\nPlease check the ammount of free disk space and "
     "try again."},
    {IDS_DEADZONE_TOP_BOTTOM, "Please check Dead Zone settings. Bottom must be greater number than Top."},
    {IDS_DEADZONE_LEFT_RIGHT, "Please check Dead Zone settings. Right must be greater number than Left."},
    {IDS_ACCESS_ONE_BOARD, "the QOR board at %1"},
    {IDS_ACCESS_BOARDS, "the QOR boards at %1"},
    {IDS_ACCESS_RULE_MISSING,
     "This user may not open %1: install the access rule %2 (it comes with the qorctl package), then unplug and "
     "plug in again."},
    {IDS_ACCESS_RULE_NOT_APPLIED,
     "This user may not open %1: the access rule %2 is installed but has not reached the node yet; run \"sudo "
     "udevadm trigger --action=change --subsystem-match=hidraw\", or unplug and plug in again."},
    {IDS_ACCESS_NOT_AT_THE_SEAT,
     "This user may not open %1: the access rule %2 opens boards only to the user logged in at the computer, not over "
     "ssh, to a service or a cron job. Let the group plugdev open them instead:\n"
     "  sudo cp %3 /etc/udev/rules.d/71-qor-boards-plugdev.rules\n"
     "  sudo usermod -aG plugdev \"$USER\"\n"
     "  sudo udevadm control --reload-rules\n"
     "  sudo udevadm trigger --action=change --subsystem-match=hidraw\n"
     "then log in again."},
    {IDS_ACCESS_RULE_MISSING_SHORT, "This user may not open %1: install the access rule %2, then replug."},
    {IDS_ACCESS_RULE_NOT_APPLIED_SHORT, "This user may not open %1 until the access rule reaches it: replug."},
    {IDS_ACCESS_NOT_AT_THE_SEAT_SHORT,
     "This user may not open %1: the access rule serves the user at the computer only; for others see %3."},

    {IDS_TIP_SCAN_DEVICES, "Scan PC for comaptible USB devices."},
    {IDS_TIP_REREAD_DEVICE, "Reread status information from selected device."},
    {IDS_TIP_DEVICE_LIST, "Please select a device from this list."},
    {IDS_TIP_SAVE_SETTINGS, "Save current settings to selected QOR device."},
    {IDS_TIP_DONE, "Click to exit."},
    {IDS_TIP_ANALOG_SETUP, "Enable or disable analog inputs."},
    {IDS_TIP_KEYSTICK_SETUP, "Set deadzone and keycodes for KeyStick mode."},
    {IDS_TIP_JOYMOUSE_SETUP, "Set deadzone and mouse speed for JoyMouse mode."},
    {IDS_TIP_IMPORT_SETTINGS, "Load QOR settings from a file."},
    {IDS_TIP_EXPORT_SETTINGS, "Save QOR settings to a file."},

    {IDS_GROUND, "Ground"},
    {IDS_POWER, "Power"},
    {IDS_UNOPENABLE_ONE_BOARD, "A QOR board is attached, but Windows cannot open it: %1"},
    {IDS_UNOPENABLE_BOARDS, "%1 QOR boards are attached, but Windows cannot open them: %2"},

    {IDS_MODE_SINGLE_ANALOG_6AXIS, "Single Analog 6-Axis 14 Button Joystick"},
    {IDS_MODE_DUAL_ANALOG_3AXIS, "Dual Analog 3-Axis 7-Button Joysticks"},
    {IDS_MODE_SINGLE_DIGITAL_10BUTTON, "Single Digital 10 Button Joystick"},
    {IDS_MODE_SINGLE_49WAY_12BUTTON, "Single 49-way 12 Button Joystick"},
    {IDS_MODE_SINGLE_ANALOG_KEYSTICK, "Single Analog 2-Axis 14 Button KeyStick"},

    {IDS_SETTINGS_FILE_FILTER, "QOR Settings Files (*.qos)"},
    {IDS_CLOSE, "&Close"},

    {IDS_INPUT_UP, "Up"},
    {IDS_INPUT_DOWN, "Down"},
    {IDS_INPUT_LEFT, "Left"},
    {IDS_INPUT_RIGHT, "Right"},
    {IDS_INPUT_BUTTON1, "Button 1"},
    {IDS_INPUT_BUTTON2, "Button 2"},
    {IDS_INPUT_BUTTON3, "Button 3"},
    {IDS_INPUT_BUTTON4, "Button 4"},
    {IDS_INPUT_BUTTON5, "Button 5"},
    {IDS_INPUT_BUTTON6, "Button 6"},
    {IDS_INPUT_BUTTON7, "Button 7"},
    {IDS_INPUT_BUTTON8, "Button 8"},
    {IDS_INPUT_BUTTON9, "Button 9"},
    {IDS_INPUT_BUTTON10, "Button 10"},
    {IDS_INPUT_BUTTON11, "Button 11"},
    {IDS_INPUT_BUTTON12, "Button 12"},
    {IDS_INPUT_BUTTON13, "Button 13"},
    {IDS_INPUT_BUTTON14, "Button 14"},
};

constexpr bool IdsAreUnique() {
  for (std::size_t i = 0; i < std::size(Strings); ++i)
    for (std::size_t j = i + 1; j < std::size(Strings); ++j)
      if (Strings[i].Id == Strings[j].Id) return false;
  return true;
}
static_assert(IdsAreUnique(), "two texts share a string ID");

}  // namespace detail

// The text of a string resource; "" for a number the table does not hold.
constexpr const char* LoadString(int id) {
  for (const detail::StringEntry& entry : detail::Strings)
    if (entry.Id == id) return entry.Text;
  return "";
}

// A text with its %1, %2 and %3 replaced by the values, each once, left to
// right; the values are never searched.
inline std::string FillString(const std::string& text, const std::string (&values)[3]) {
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
      filled += values[text[i + 1] - '1'];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace qor::res
