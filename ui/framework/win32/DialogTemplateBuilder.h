#pragma once
// An in-memory DLGTEMPLATEEX built from a dialog template, for
// DialogBoxIndirectParamW: the template's dialog units, "MS Shell Dlg" at its
// point size, and each item as the Win32 control of its kind. Windows lays the
// dialog out itself.

#include <cstdint>
#include <vector>

#include "res/DialogTemplate.h"

namespace qor::ui::win32 {

// The window class the dead-zone preview's items name.
inline constexpr wchar_t CustomControlClass[] = L"MFCJoyThreshBoxCtrl";

// WORDs, so the block starts DWORD-aligned as the dialog manager needs.
std::vector<std::uint16_t> BuildDialogTemplate(const res::DialogTemplate& dialogTemplate);

}  // namespace qor::ui::win32
