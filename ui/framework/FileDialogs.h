#pragma once
// The open and save dialogs for settings files. Both answer an empty string
// when the user cancels.

#include <QString>
#include <functional>

class QWidget;

namespace qor::ui {

enum class FileDialogKind { Open, Save };

// Open: the file must exist. Save: no question before an existing file is replaced.
QString AskSettingsFileName(FileDialogKind kind, QWidget* owner);

// Tests answer the dialogs here instead of a person.
using FileDialogHook = std::function<QString(FileDialogKind kind)>;
void SetFileDialogHook(FileDialogHook hook);

}  // namespace qor::ui
