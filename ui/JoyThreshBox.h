#pragma once
// The dead-zone preview: maps the stick's 0..255 positions onto the box and
// shows the zone being edited under the live position of any joystick. The
// object lives with its dialog; its window, the dialog's item
// IDC_ZONE_PREVIEW, only while the dialog is open.

#include <QMetaObject>
#include <QPointer>
#include <cstdint>
#include <span>

#include "settings/SettingsReport.h"
#include "ui/framework/CustomControl.h"
#include "ui/joystick/JoystickInput.h"

class QPainter;

namespace qor::ui {

class CJoyThreshBox : public joystick::JoystickSink {
 public:
  CJoyThreshBox() = default;
  ~CJoyThreshBox();
  CJoyThreshBox(const CJoyThreshBox&) = delete;
  CJoyThreshBox& operator=(const CJoyThreshBox&) = delete;

  // Takes the dialog's item window over for this opening; runs
  // PreSubclassWindow, and so RegisterJoystickInput.
  void SubclassWindow(CustomControlWindow* window);
  CustomControlWindow* Window() const { return m_Window.data(); }

  // Stores the low 8 bits of each value; any four are drawn.
  void SetDeadZone(int top, int bottom, int left, int right);
  void RegisterJoystickInput();
  void UnregisterJoystickInput();

  // The raw input handler. Reports too short to carry X and Y are ignored,
  // and so is input while the control has no window.
  void OnJoystickReport(std::span<const std::uint8_t> report) override;

  const DeadZone& Zone() const { return m_Zone; }
  std::uint8_t X() const { return m_X; }
  std::uint8_t Y() const { return m_Y; }

  // Changes of position since the last repaint, counted across every
  // instance: each fourth change repaints.
  static int RedrawCounter() { return redrawCounter; }
  static void ResetRedrawCounter() { redrawCounter = 0; }

 private:
  void PreSubclassWindow();
  void OnPaint(QPainter& painter);
  void Invalidate();
  void OnWindowDestroyed();

  DeadZone m_Zone{};
  std::uint8_t m_X = 127;
  std::uint8_t m_Y = 127;
  QPointer<CustomControlWindow> m_Window;
  QMetaObject::Connection m_WindowDestroyed;
  bool m_Registered = false;

  static int redrawCounter;
};

}  // namespace qor::ui
