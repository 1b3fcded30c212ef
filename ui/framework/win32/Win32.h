#pragma once
// The Windows headers, wide by default, without the macros that would rename
// the program's own names: IDOK and IDCANCEL are the resources' control IDs,
// SC_CLOSE the dialog's window-menu command of the same value, and MessageBox,
// SetWindowText, GetWindowText and LoadString members and
// functions of the framework. The framework's Win32 folder includes this, never
// <windows.h> itself.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <commdlg.h>

#undef IDOK
#undef IDCANCEL
#undef SC_CLOSE
#undef MessageBox
#undef SetWindowText
#undef GetWindowText
#undef LoadString
