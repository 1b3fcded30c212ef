#include "ui/framework/win32/Pictures.h"

#include <string>

namespace qor::ui::win32 {
namespace {

// The DPIs the build renders the bitmaps for.
constexpr unsigned BitmapDpis[] = {96, 120, 144, 192, 288};

}  // namespace

HICON LoadIconResource(int resource, int width, int height) {
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

HBITMAP LoadBitmapForDpi(int resource, unsigned dpi) {
  unsigned chosen = BitmapDpis[std::size(BitmapDpis) - 1];
  for (const unsigned candidate : BitmapDpis) {
    if (candidate >= dpi) {
      chosen = candidate;
      break;
    }
  }
  const std::wstring name = L"PICTURE" + std::to_wstring(resource) + L"_" + std::to_wstring(chosen);
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace qor::ui::win32
