#include "ui/framework/MessageBox.h"

#include "ui/framework/Toolkit.h"

namespace qor::ui {
namespace {

MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}

}  // namespace

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

void ShowMessage(const std::string& text) {
  if (Hook())
    Hook()(text);
  else
    toolkit::MessageBox(text);
}

}  // namespace qor::ui
