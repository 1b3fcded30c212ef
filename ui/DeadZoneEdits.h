#pragma once
// The four dead-zone boxes of a setup dialog, Top, Bottom, Left and Right:
// an edit for each, with its up-down. A value is its up-down's position,
// read from the edit's text: a number 0..255, else the last position.

#include <QPointer>
#include <array>

#include "res/ResourceIds.h"
#include "settings/SettingsReport.h"
#include "ui/framework/UpDown.h"

namespace qor::ui {

class CDialog;
class CJoyThreshBox;

class DeadZoneEdits {
 public:
  static constexpr std::array<int, 4> EditIds{res::IDC_ZONE_TOP, res::IDC_ZONE_BOTTOM, res::IDC_ZONE_LEFT,
                                              res::IDC_ZONE_RIGHT};
  static constexpr std::array<int, 4> UpDownIds{res::IDC_SPIN_TOP, res::IDC_SPIN_BOTTOM, res::IDC_SPIN_LEFT,
                                                res::IDC_SPIN_RIGHT};

  void Bind(const CDialog& dialog);
  void SetRanges();
  // Each up-down writes its number into its edit.
  void SetPositions(const DeadZone& zone);
  DeadZone ReadPositions();
  // Reads each position and sets it again, so every edit shows the plain
  // number of its position.
  void Rewrite();
  // Shows the message of the first pair out of order, Top/Bottom before
  // Left/Right; true when Top < Bottom and Left < Right.
  bool Check();
  void ShowOn(CJoyThreshBox& preview);

 private:
  int Position(std::size_t index);

  std::array<QPointer<CSpinButtonCtrl>, 4> m_UpDowns;
};

}  // namespace qor::ui
