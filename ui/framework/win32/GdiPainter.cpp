#include "ui/framework/win32/GdiPainter.h"

namespace qor::ui::win32 {
namespace {

COLORREF ToColorRef(Colour colour) { return RGB(colour.Red, colour.Green, colour.Blue); }

}  // namespace

GdiDC::GdiDC(HDC dc)
    : m_Dc(dc),
      m_OriginalPen(SelectObject(dc, GetStockObject(BLACK_PEN))),
      m_OriginalBrush(SelectObject(dc, GetStockObject(WHITE_BRUSH))) {}

GdiDC::~GdiDC() {
  SelectObject(m_Dc, m_OriginalPen);
  SelectObject(m_Dc, m_OriginalBrush);
  if (m_Pen) DeleteObject(m_Pen);
  if (m_Brush) DeleteObject(m_Brush);
}

void GdiDC::SelectPen(Colour colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(colour));
  SelectObject(m_Dc, pen);
  if (m_Pen) DeleteObject(m_Pen);
  m_Pen = pen;
}

void GdiDC::SelectBrush(Colour colour) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
  SelectObject(m_Dc, brush);
  if (m_Brush) DeleteObject(m_Brush);
  m_Brush = brush;
}

}  // namespace qor::ui::win32
