#pragma once
// "JoyMouse Settings": whether the stick drives the mouse pointer, its speed,
// and the JoyMouse dead zone, shown over the live stick position.

#include <cstdint>

#include "settings/SettingsReport.h"
#include "ui/DeadZoneDialog.h"

namespace qor::ui {

class CJoyMouseDialog : public CDeadZoneDialog {
 public:
  CJoyMouseDialog();

  DeadZone m_JoyMouseZone;
  std::uint8_t m_JoyMouseOptions = 0;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;
  // Escape and the close box keep the fields; they also end the joystick
  // input, so none outlives the window.
  void OnCancel() override;

 private:
  void OnOkClicked();

  CButton m_EnableCheck;
  CSliderCtrl m_SpeedSlider;
};

}  // namespace qor::ui
