#pragma once
// The program's pictures as the resource script holds them: the icon (one
// .ico of several sizes) and the board as one bitmap per DPI, named
// "PICTURE<resource>_<dpi>" (PICTURE132_144).

#include "ui/framework/win32/Win32.h"

namespace qor::ui::win32 {

// The image of the icon nearest `width` × `height`; nullptr without one.
HICON LoadIconResource(int resource, int width, int height);
// The bitmap made for the smallest DPI at or above `dpi`, else the largest;
// nullptr without one.
HBITMAP LoadBitmapForDpi(int resource, unsigned dpi);

}  // namespace qor::ui::win32
