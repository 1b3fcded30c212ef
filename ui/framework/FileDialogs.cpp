#include "ui/framework/FileDialogs.h"

#include <QFileDialog>

#include "ui/framework/Resources.h"

namespace qor::ui {
namespace {

FileDialogHook& Hook() {
  static FileDialogHook hook;
  return hook;
}

}  // namespace

void SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

QString AskSettingsFileName(FileDialogKind kind, QWidget* owner) {
  if (Hook()) return Hook()(kind);

  QFileDialog dialog(owner);
  dialog.setNameFilter(ResourceString(res::IDS_SETTINGS_FILE_FILTER));
  dialog.setDefaultSuffix(QStringLiteral("qos"));
  if (kind == FileDialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace qor::ui
