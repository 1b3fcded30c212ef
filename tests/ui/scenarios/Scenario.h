#pragma once
// What the scenarios share: the messages' texts, and the main window's
// controls read through the framework, as every toolkit shows them.

#include <string>
#include <vector>

#include "Driver.h"
#include "WindowHarness.h"
#include "ui/framework/Controls.h"

namespace qor::test {

inline const std::string NoDevices = "No devices found!";
inline const std::string LinkLost = "Device communication interrupted!\nPlease verify device connection.";
inline const std::string Saved = "Settings Saved! Please disconnect and reconnect device to apply changes.";
inline const std::string BottomTop = "Please check Dead Zone settings. Bottom must be greater number than Top.";
inline const std::string RightLeft = "Please check Dead Zone settings. Right must be greater number than Left.";

using Texts = std::vector<std::string>;

inline ui::CComboBox List(const ui::CDialog& dialog, res::ControlId id) { return dialog.GetDlgItem<ui::CComboBox>(id); }
inline std::string Text(const ui::CDialog& dialog, res::ControlId id) { return dialog.GetDlgItem(id).GetWindowText(); }
inline bool Enabled(const ui::CDialog& dialog, res::ControlId id) { return dialog.GetDlgItem(id).IsWindowEnabled(); }

inline Texts Entries(const ui::CComboBox& list) {
  Texts entries;
  for (int i = 0; i < list.GetCount(); ++i) entries.push_back(list.GetLBText(i));
  return entries;
}

}  // namespace qor::test
