#pragma once
// "KeyStick Setup": the key each of the 18 KeyStick inputs sends and the
// KeyStick dead zone, shown over the live stick position.

#include <array>
#include <cstdint>

#include "res/DialogTemplates.h"
#include "settings/SettingsReport.h"
#include "ui/DeadZoneDialog.h"

namespace qor::ui {

class CKeycodeDialog : public CDeadZoneDialog {
 public:
  CKeycodeDialog();

  // The key selectors in input order: Up, Down, Left, Right, Button 1..14.
  static constexpr std::array<res::ControlId, KeyStickKeyCount> KeySelectorIds{
      res::IDC_KEY_UP,       res::IDC_KEY_DOWN,     res::IDC_KEY_LEFT,    res::IDC_KEY_RIGHT,    res::IDC_KEY_BUTTON1,
      res::IDC_KEY_BUTTON2,  res::IDC_KEY_BUTTON3,  res::IDC_KEY_BUTTON4, res::IDC_KEY_BUTTON5,  res::IDC_KEY_BUTTON6,
      res::IDC_KEY_BUTTON7,  res::IDC_KEY_BUTTON8,  res::IDC_KEY_BUTTON9, res::IDC_KEY_BUTTON10, res::IDC_KEY_BUTTON11,
      res::IDC_KEY_BUTTON12, res::IDC_KEY_BUTTON13, res::IDC_KEY_BUTTON14};

  std::array<std::uint8_t, KeyStickKeyCount> m_KeyCodes{};
  DeadZone m_KeyStickZone;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;
  // The standard OK command (Enter away from "Ok") ends the dialog without
  // storing; it also ends the joystick input, so none outlives the window.
  void OnOK() override;

 private:
  void OnOkClicked();

  std::array<CComboBox, KeyStickKeyCount> m_KeySelectors;
};

static_assert(res::HasControls(res::templates::KeycodeItems, CKeycodeDialog::KeySelectorIds,
                               res::ItemKind::DropDownList),
              "the KeyStick dialog's key selectors are 18 distinct drop-down lists of its template");

}  // namespace qor::ui
