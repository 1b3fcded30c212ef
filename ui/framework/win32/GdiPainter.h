#pragma once
// The framework's small painter over a GDI device context. Each pen and
// brush it makes lives until the next one or the end of the paint.

#include "ui/framework/Painter.h"
#include "ui/framework/win32/Win32.h"

namespace qor::ui::win32 {

class GdiDC final : public CDC {
 public:
  // Starts with the context's own black pen and white brush.
  explicit GdiDC(HDC dc);
  ~GdiDC() override;
  GdiDC(const GdiDC&) = delete;
  GdiDC& operator=(const GdiDC&) = delete;

  void SelectPen(Colour colour) override;
  void SelectBrush(Colour colour) override;
  void Rectangle(int left, int top, int right, int bottom) override { ::Rectangle(m_Dc, left, top, right, bottom); }
  void MoveTo(int x, int y) override { MoveToEx(m_Dc, x, y, nullptr); }
  void LineTo(int x, int y) override { ::LineTo(m_Dc, x, y); }

 private:
  HDC m_Dc;
  HGDIOBJ m_OriginalPen;
  HGDIOBJ m_OriginalBrush;
  HPEN m_Pen = nullptr;
  HBRUSH m_Brush = nullptr;
};

}  // namespace qor::ui::win32
