#pragma once
// "JoyMouse Settings": whether the stick drives the mouse pointer, its speed,
// and the JoyMouse dead zone, shown over the live stick position.

#include <QPointer>
#include <cstdint>

#include "settings/SettingsReport.h"
#include "ui/DeadZoneEdits.h"
#include "ui/JoyThreshBox.h"
#include "ui/framework/Dialog.h"

class QCheckBox;
class QSlider;

namespace qor::ui {

class CJoyMouseDialog : public CDialog {
 public:
  CJoyMouseDialog();

  DeadZone m_JoyMouseZone;
  std::uint8_t m_JoyMouseOptions = 0;
  bool m_bInitialized = false;

  CJoyThreshBox m_Preview;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;
  // Escape and the close box keep the fields; they also end the joystick
  // input, so none outlives the window.
  void OnCancel() override;

 private:
  void OnOkClicked();
  void OnZoneEditChange();
  void OnZoneEditKillFocus();

  QPointer<QCheckBox> m_EnableCheck;
  DeadZoneEdits m_ZoneEdits;
  QPointer<QSlider> m_SpeedSlider;
};

}  // namespace qor::ui
