#pragma once
// The dead-zone preview: maps the stick's 0..255 positions onto the box and
// shows the zone being edited under the live position of any joystick. The
// object lives with its dialog; its window, the dialog's item
// IDC_ZONE_PREVIEW, only while the dialog is open.

#include <cstdint>
#include <span>

#include "settings/SettingsReport.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Painter.h"
#include "ui/joystick/JoystickInput.h"

namespace qor::ui {

// The preview's picture of a client area of `client` pixels: the grey box,
// the red zone, the black centre lines and the yellow cross-hair at x, y, in
// that order. A value v of the 0..255 scale lies at v × width / 256 and
// v × height / 256.
void DrawDeadZonePreview(CDC& dc, Size client, const DeadZone& zone, std::uint8_t x, std::uint8_t y);

class CJoyThreshBox : public CWnd, public joystick::JoystickSink {
 public:
  static constexpr res::ItemKind KindList[] = {res::ItemKind::Custom};
  static constexpr std::span<const res::ItemKind> Kinds{KindList};

  CJoyThreshBox() = default;
  ~CJoyThreshBox() override;
  CJoyThreshBox(const CJoyThreshBox&) = delete;
  CJoyThreshBox& operator=(const CJoyThreshBox&) = delete;

  // Stores the low 8 bits of each value; any four are drawn.
  void SetDeadZone(int top, int bottom, int left, int right);
  void RegisterJoystickInput();
  void UnregisterJoystickInput();

  // The raw input handler. Reports too short to carry X and Y are ignored,
  // and so is input while the control has no window.
  void OnJoystickReport(std::span<const std::uint8_t> report) override;
  std::uintptr_t InputWindow() const override { return GetSafeHwnd(); }

  const DeadZone& Zone() const { return m_Zone; }
  std::uint8_t X() const { return m_X; }
  std::uint8_t Y() const { return m_Y; }

  // Changes of position since the last repaint, counted across every
  // instance: each fourth change repaints.
  static int RedrawCounter() { return redrawCounter; }
  static void ResetRedrawCounter() { redrawCounter = 0; }

 protected:
  // Binding the dialog's item registers the control for joystick input.
  void PreSubclassWindow() override;
  void OnPaint(CDC& dc) override;
  // Input must not outlive the window it is drawn in.
  void OnDestroy() override;

 private:
  void DropOwnRegistration();

  DeadZone m_Zone{};
  std::uint8_t m_X = 127;
  std::uint8_t m_Y = 127;
  bool m_Registered = false;

  static int redrawCounter;
};

}  // namespace qor::ui
