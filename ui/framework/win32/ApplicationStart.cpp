#include "ui/framework/win32/ApplicationStart.h"

#include "ui/framework/win32/Win32.h"

namespace qor::ui::win32 {

bool StartApplication() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS;
  return InitCommonControlsEx(&controls);
}

}  // namespace qor::ui::win32
