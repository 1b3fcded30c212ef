#include "ui/framework/FileDialogs.h"

#include "ui/framework/Toolkit.h"

namespace qor::ui {
namespace {

FileDialogHook& Hook() {
  static FileDialogHook hook;
  return hook;
}

}  // namespace

void SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

std::string AskSettingsFileName(FileDialogKind kind) { return Hook() ? Hook()(kind) : toolkit::GetFileName(kind); }

}  // namespace qor::ui
