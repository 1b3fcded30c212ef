#pragma once
// Every message of the program goes through here: modal, owned by the active
// window, one OK button, the warning icon, the application's name as caption.

#include <QString>
#include <functional>

class QWidget;

namespace qor::ui {

void ShowMessage(const QString& text);

// Tests see each message here instead of a box; owner is the window that
// would own the box. An empty hook restores the real boxes.
using MessageHook = std::function<void(const QString& text, QWidget* owner)>;
void SetMessageHook(MessageHook hook);

}  // namespace qor::ui
