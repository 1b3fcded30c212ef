#pragma once
// "KeyStick Setup": the key each of the 18 KeyStick inputs sends and the
// KeyStick dead zone, shown over the live stick position.

#include <QPointer>
#include <array>
#include <cstdint>

#include "settings/SettingsReport.h"
#include "ui/DeadZoneEdits.h"
#include "ui/JoyThreshBox.h"
#include "ui/framework/Dialog.h"

class QComboBox;

namespace qor::ui {

class CKeycodeDialog : public CDialog {
 public:
  CKeycodeDialog();

  // The key selectors in input order: Up, Down, Left, Right, Button 1..14.
  static constexpr std::array<int, KeyStickKeyCount> KeySelectorIds{
      1008, 1009, 1010, 1011, 1012, 1013, 1014, 1016, 1017, 1018, 1019, 1021, 1022, 1023, 1024, 1025, 1026, 1027};

  std::array<std::uint8_t, KeyStickKeyCount> m_KeyCodes{};
  DeadZone m_KeyStickZone;
  bool m_bInitialized = false;

  CJoyThreshBox m_Preview;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;
  // The standard OK command (Enter away from "Ok") ends the dialog without
  // storing; it also ends the joystick input, so none outlives the window.
  void OnOK() override;

 private:
  void OnOkClicked();
  void OnZoneEditChange();
  void OnZoneEditKillFocus();

  DeadZoneEdits m_ZoneEdits;
  std::array<QPointer<QComboBox>, KeyStickKeyCount> m_KeySelectors{};
};

}  // namespace qor::ui
