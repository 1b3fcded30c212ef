#pragma once
// The window class of the program's own control, "MFCJoyThreshBoxCtrl": the
// framework control that subclasses a window of it paints it through the
// framework's painter.

#include "ui/framework/win32/Win32.h"

namespace qor::ui {
class CWnd;
}

namespace qor::ui::win32 {

// Registers the class once per process, before the first dialog that names it.
void RegisterCustomControlClass();
// From now on `control` paints `window`; nullptr detaches it.
void SubclassCustomControl(HWND window, CWnd* control);

}  // namespace qor::ui::win32
