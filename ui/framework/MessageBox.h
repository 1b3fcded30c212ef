#pragma once
// Every message of the program goes through here: modal, owned by the active
// window, one OK button, the exclamation icon, the application's name as
// caption.

#include <functional>
#include <string>

namespace qor::ui {

void ShowMessage(const std::string& text);

// Tests see each message here instead of a box. An empty hook restores the
// real boxes.
using MessageHook = std::function<void(const std::string& text)>;
void SetMessageHook(MessageHook hook);

}  // namespace qor::ui
