#pragma once
// What the framework asks of the toolkit beside each dialog's window. Each
// toolkit's folder defines these once (ui/framework/qt/, ui/framework/win32/),
// and the program links the one of its platform.

#include <string>

#include "res/DialogTemplate.h"
#include "ui/framework/FileDialogs.h"

namespace qor::ui {

class CDialog;

namespace toolkit {

// Builds the dialog's window and controls from the template, runs
// CDialog::InitDialog on it, shows it and runs it modally until EndDialog,
// then runs CDialog::DestroyWindow and destroys it. Returns EndDialog's result.
int RunModal(CDialog& dialog, const res::DialogTemplate& dialogTemplate);

// A modal message box owned by the active window: the text, one OK button,
// the exclamation icon, the application's name as caption.
void MessageBox(const std::string& text);

// The system's file dialog for settings files; empty when the user cancels.
std::string GetFileName(FileDialogKind kind);

// The wait cursor, shown while as many Begin calls as End calls are open.
void BeginWaitCursor();
void EndWaitCursor();

// The application's profile name, as the framework keeps it (nothing is
// stored under it).
void SetRegistryKey(const std::string& name);

}  // namespace toolkit
}  // namespace qor::ui
