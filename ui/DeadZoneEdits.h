#pragma once
// The four dead-zone boxes of a setup dialog, Top, Bottom, Left and Right:
// edits 1045..1048, each with its up-down. A value is its up-down's position,
// read from the edit's text: a number 0..255, else the last position.

#include <QPointer>
#include <array>

#include "settings/SettingsReport.h"
#include "ui/framework/UpDown.h"

namespace qor::ui {

class CDialog;
class CJoyThreshBox;

class DeadZoneEdits {
 public:
  static constexpr std::array<int, 4> EditIds{1045, 1046, 1047, 1048};
  static constexpr std::array<int, 4> UpDownIds{1015, 1049, 1050, 1051};

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

  std::array<QPointer<CSpinButtonCtrl>, 4> upDowns_;
};

}  // namespace qor::ui
