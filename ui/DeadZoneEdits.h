#pragma once
// The four dead-zone boxes of a setup dialog, Top, Bottom, Left and Right:
// an edit for each, with its up-down. A value is its up-down's position,
// read from the edit's text: a number 0..255, else the last position.

#include <array>

#include "res/DialogTemplates.h"
#include "settings/SettingsReport.h"
#include "ui/framework/Controls.h"

namespace qor::ui {

class CJoyThreshBox;

class DeadZoneEdits {
 public:
  static constexpr std::array<res::ControlId, 4> EditIds{res::IDC_ZONE_TOP, res::IDC_ZONE_BOTTOM, res::IDC_ZONE_LEFT,
                                                         res::IDC_ZONE_RIGHT};
  static constexpr std::array<res::ControlId, 4> UpDownIds{res::IDC_SPIN_TOP, res::IDC_SPIN_BOTTOM, res::IDC_SPIN_LEFT,
                                                           res::IDC_SPIN_RIGHT};

  // The up-downs in the order Top, Bottom, Left, Right, for the dialog to bind.
  std::array<CSpinButtonCtrl, 4>& UpDowns() { return m_UpDowns; }

  void SetRanges();
  // Each up-down writes its number into its edit.
  void SetPositions(const DeadZone& zone);
  DeadZone ReadPositions() const;
  // Reads each position and sets it again, so every edit shows the plain
  // number of its position.
  void Rewrite();
  // Shows the message of the first pair out of order, Top/Bottom before
  // Left/Right; true when Top < Bottom and Left < Right.
  bool Check() const;
  void ShowOn(CJoyThreshBox& preview) const;

 private:
  std::array<CSpinButtonCtrl, 4> m_UpDowns;
};

// Both dialogs that edit a dead zone have the four boxes with their up-downs.
static_assert(res::HasControls(res::templates::KeycodeItems, DeadZoneEdits::EditIds, res::ItemKind::Edit) &&
              res::HasControls(res::templates::KeycodeItems, DeadZoneEdits::UpDownIds, res::ItemKind::UpDown));
static_assert(res::HasControls(res::templates::JoyMouseItems, DeadZoneEdits::EditIds, res::ItemKind::Edit) &&
              res::HasControls(res::templates::JoyMouseItems, DeadZoneEdits::UpDownIds, res::ItemKind::UpDown));

}  // namespace qor::ui
