#include "ui/framework/win32/CustomControl.h"

#include "ui/framework/Controls.h"
#include "ui/framework/win32/DialogTemplateBuilder.h"
#include "ui/framework/win32/GdiPainter.h"

namespace qor::ui::win32 {
namespace {

LRESULT CALLBACK CustomControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    auto* control = reinterpret_cast<CWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (control) {
      GdiDC painter(dc);
      PaintAccess::Paint(*control, painter);
    }
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterCustomControlClass() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing;
  if (GetClassInfoW(instance, CustomControlClass, &existing)) return;
  WNDCLASSW windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = CustomControlProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = CustomControlClass;
  RegisterClassW(&windowClass);
}

void SubclassCustomControl(HWND window, CWnd* control) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

}  // namespace qor::ui::win32
