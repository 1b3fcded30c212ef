#pragma once
// The open and save dialogs for settings files. Both answer the chosen file's
// name as the system holds it (UTF-8), or an empty string when the user
// cancels.

#include <functional>
#include <string>

namespace qor::ui {

enum class FileDialogKind { Open, Save };

// Open: the file must exist. Save: no question before an existing file is replaced.
std::string AskSettingsFileName(FileDialogKind kind);

// Tests answer the dialogs here instead of a person.
using FileDialogHook = std::function<std::string(FileDialogKind kind)>;
void SetFileDialogHook(FileDialogHook hook);

}  // namespace qor::ui
