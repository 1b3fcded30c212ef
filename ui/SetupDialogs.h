#pragma once
// The three setup dialogs as holders of settings: their fields live as long as
// the main window, their windows only while they are open.

#include <array>
#include <cstdint>

#include "settings/SettingsReport.h"
#include "ui/framework/Dialog.h"

namespace qor::ui {

class CKeycodeDialog : public CDialog {
 public:
  CKeycodeDialog();

  std::array<std::uint8_t, KeyStickKeyCount> m_KeyCodes{};
  DeadZone m_KeyStickZone;
  bool m_bInitialized = false;
};

class CJoyMouseDialog : public CDialog {
 public:
  CJoyMouseDialog();

  DeadZone m_JoyMouseZone;
  std::uint8_t m_JoyMouseOptions = 0;
  bool m_bInitialized = false;
};

class CAnalogDialog : public CDialog {
 public:
  CAnalogDialog();

  std::uint8_t m_AnalogMask = 0;
};

}  // namespace qor::ui
