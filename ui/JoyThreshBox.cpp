#include "ui/JoyThreshBox.h"

namespace qor::ui {
namespace {

constexpr Colour BoxGrey{200, 200, 200};
constexpr Colour ZoneRed{255, 80, 80};
constexpr Colour Black{0, 0, 0};
constexpr Colour CrossHairYellow{255, 255, 0};

}  // namespace

void DrawDeadZonePreview(CDC& dc, Size client, const DeadZone& zone, std::uint8_t x, std::uint8_t y) {
  const int w = client.Width;
  const int h = client.Height;
  const auto px = [w](int v) { return v * w / 256; };
  const auto py = [h](int v) { return v * h / 256; };
  dc.SelectPen(Black);
  dc.SelectBrush(BoxGrey);
  dc.Rectangle(0, 0, w, h);
  dc.SelectBrush(ZoneRed);
  dc.Rectangle(px(zone.Left), py(zone.Top), px(zone.Right), py(zone.Bottom));
  dc.MoveTo(w / 2, 0);
  dc.LineTo(w / 2, h);
  dc.MoveTo(0, h / 2);
  dc.LineTo(w, h / 2);
  dc.SelectPen(CrossHairYellow);
  dc.MoveTo(px(x - 10), py(y));
  dc.LineTo(px(x + 10), py(y));
  dc.MoveTo(px(x), py(y - 10));
  dc.LineTo(px(x), py(y + 10));
}

int CJoyThreshBox::redrawCounter = 0;

CJoyThreshBox::~CJoyThreshBox() { DropOwnRegistration(); }

void CJoyThreshBox::PreSubclassWindow() { RegisterJoystickInput(); }

void CJoyThreshBox::SetDeadZone(int top, int bottom, int left, int right) {
  m_Zone = DeadZone{static_cast<std::uint8_t>(top), static_cast<std::uint8_t>(bottom), static_cast<std::uint8_t>(left),
                    static_cast<std::uint8_t>(right)};
  if (HasWindow()) Invalidate();
}

void CJoyThreshBox::RegisterJoystickInput() {
  joystick::CurrentJoystickInput().Register(this);
  m_Registered = true;
}

void CJoyThreshBox::UnregisterJoystickInput() {
  joystick::CurrentJoystickInput().Unregister();
  m_Registered = false;
}

void CJoyThreshBox::OnJoystickReport(std::span<const std::uint8_t> report) {
  if (!HasWindow() || report.size() < 3) return;
  const std::uint8_t x = report[1];
  const std::uint8_t y = report[2];
  if (x == m_X && y == m_Y) return;
  m_X = x;
  m_Y = y;
  if (redrawCounter == 3) {
    redrawCounter = 0;
    Invalidate();
  } else {
    ++redrawCounter;
  }
}

// No 200 ms timer is armed here: nothing would act on it.
void CJoyThreshBox::OnPaint(CDC& dc) { DrawDeadZonePreview(dc, GetClientSize(), m_Zone, m_X, m_Y); }

void CJoyThreshBox::OnDestroy() { DropOwnRegistration(); }

void CJoyThreshBox::DropOwnRegistration() {
  if (m_Registered && joystick::CurrentJoystickInput().Registered() == this) UnregisterJoystickInput();
}

}  // namespace qor::ui
