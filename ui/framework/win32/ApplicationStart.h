#pragma once
// Starts a Win32 window program: the common controls of the manifest's
// version 6, before the first dialog names one of their classes.

namespace qor::ui::win32 {

// False when the common controls cannot be loaded; the caller then exits
// with status 1.
bool StartApplication();

}  // namespace qor::ui::win32
