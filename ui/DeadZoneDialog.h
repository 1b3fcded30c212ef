#pragma once
// What the two setup dialogs that edit a dead zone share: the four zone boxes
// with their up-downs, the preview over the live stick position, and the
// flag that lets text changes reach the preview once the dialog is set up.
// Which command stores, which keys end the dialog and what is stored stay
// with each dialog.

#include "settings/SettingsReport.h"
#include "ui/DeadZoneEdits.h"
#include "ui/JoyThreshBox.h"
#include "ui/framework/Dialog.h"

namespace qor::ui {

class CDeadZoneDialog : public CDialog {
 public:
  bool m_bInitialized = false;

  CJoyThreshBox m_Preview;

 protected:
  explicit CDeadZoneDialog(int templateId);

  // Binds the zone boxes and the preview; binding the preview starts its
  // joystick input.
  void DoDataExchange() override;
  // The zone boxes' text-change and focus-loss handlers.
  void MessageMap() override;

  // The last steps of an opening: ranges 0..255, the positions of `zone`,
  // the preview showing them, and from then on text changes reach it.
  void ShowZone(const DeadZone& zone);
  // On the way out: the joystick input ends and text changes no longer
  // reach the preview.
  void StopPreview();

  DeadZoneEdits m_ZoneEdits;

 private:
  void OnZoneEditChange();
  void OnZoneEditKillFocus();
};

}  // namespace qor::ui
