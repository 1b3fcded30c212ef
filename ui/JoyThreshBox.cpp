#include "ui/JoyThreshBox.h"

#include <QPainter>
#include <cstdlib>
#include <utility>

namespace qor::ui {
namespace {

const QColor BoxGrey(200, 200, 200);
const QColor ZoneRed(255, 80, 80);
const QColor CrossHairYellow(255, 255, 0);

// A rectangle as GDI's Rectangle draws it with a 1-pixel pen: the right and
// bottom coordinates are exclusive, the outline takes the first and last
// column and row, the brush fills what lies inside.
void DrawRectangle(QPainter& painter, int left, int top, int right, int bottom, const QColor& fill) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const int width = right - left;
  const int height = bottom - top;
  painter.fillRect(QRect(left, top, width, height), Qt::black);
  if (width > 2 && height > 2) painter.fillRect(QRect(left + 1, top + 1, width - 2, height - 2), fill);
}

// MoveToEx then LineTo for a horizontal or vertical stroke: the end point is
// left out.
void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& color) {
  if (y0 == y1)
    painter.fillRect(QRect(x1 > x0 ? x0 : x1 + 1, y0, std::abs(x1 - x0), 1), color);
  else if (x0 == x1)
    painter.fillRect(QRect(x0, y1 > y0 ? y0 : y1 + 1, 1, std::abs(y1 - y0)), color);
}

}  // namespace

int CJoyThreshBox::redrawCounter = 0;

CJoyThreshBox::~CJoyThreshBox() {
  QObject::disconnect(m_WindowDestroyed);
  if (m_Window) m_Window->SetPaintHandler({});
  if (m_Registered && joystick::CurrentJoystickInput().Registered() == this) UnregisterJoystickInput();
}

void CJoyThreshBox::SubclassWindow(CustomControlWindow* window) {
  QObject::disconnect(m_WindowDestroyed);
  m_Window = window;
  if (!window) return;
  window->SetPaintHandler([this](QPainter& painter) { OnPaint(painter); });
  m_WindowDestroyed = QObject::connect(window, &QObject::destroyed, [this] { OnWindowDestroyed(); });
  PreSubclassWindow();
}

void CJoyThreshBox::PreSubclassWindow() { RegisterJoystickInput(); }

void CJoyThreshBox::SetDeadZone(int top, int bottom, int left, int right) {
  m_Zone = DeadZone{static_cast<std::uint8_t>(top), static_cast<std::uint8_t>(bottom), static_cast<std::uint8_t>(left),
                    static_cast<std::uint8_t>(right)};
  Invalidate();
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
  if (!m_Window || report.size() < 3) return;
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

void CJoyThreshBox::OnPaint(QPainter& painter) {
  // No 200 ms timer is armed here: nothing would act on it.
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int w = m_Window->width();
  const int h = m_Window->height();
  const auto px = [w](int v) { return v * w / 256; };
  const auto py = [h](int v) { return v * h / 256; };
  DrawRectangle(painter, 0, 0, w, h, BoxGrey);
  DrawRectangle(painter, px(m_Zone.Left), py(m_Zone.Top), px(m_Zone.Right), py(m_Zone.Bottom), ZoneRed);
  DrawLine(painter, w / 2, 0, w / 2, h, Qt::black);
  DrawLine(painter, 0, h / 2, w, h / 2, Qt::black);
  DrawLine(painter, px(m_X - 10), py(m_Y), px(m_X + 10), py(m_Y), CrossHairYellow);
  DrawLine(painter, px(m_X), py(m_Y - 10), px(m_X), py(m_Y + 10), CrossHairYellow);
}

void CJoyThreshBox::Invalidate() {
  if (m_Window) m_Window->update();
}

void CJoyThreshBox::OnWindowDestroyed() {
  // Input must not outlive the window it is drawn in.
  if (m_Registered && joystick::CurrentJoystickInput().Registered() == this) UnregisterJoystickInput();
}

}  // namespace qor::ui
