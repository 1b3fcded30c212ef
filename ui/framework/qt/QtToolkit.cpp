// The framework's toolkit services over Qt Widgets.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/framework/Dialog.h"
#include "ui/framework/Resources.h"
#include "ui/framework/Toolkit.h"
#include "ui/framework/qt/DialogWindow.h"

namespace qor::ui::toolkit {
namespace {

// The window a new dialog or box belongs to.
QWidget* ActiveOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

int RunModal(CDialog& dialog, const res::DialogTemplate& dialogTemplate) {
  QWidget* owner = ActiveOwner();
  auto* window = new qt::DialogWindow(dialog, dialogTemplate, owner);
  if (dialog.InitDialog(*window)) window->FocusFirstTabStop();
  window->FitAndPlace(owner);
  // A dialog may end before its window ever shows.
  const int result = window->Ended() ? window->result() : window->exec();
  dialog.DestroyWindow();
  delete window;
  return result;
}

void MessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), QString::fromStdString(text),
                  QMessageBox::Ok, ActiveOwner());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

std::string GetFileName(FileDialogKind kind) {
  QFileDialog dialog(ActiveOwner());
  dialog.setNameFilter(QString::fromStdString(ResourceString(res::IDS_SETTINGS_FILE_FILTER)));
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
  // The name as the system holds it, whatever its bytes.
  return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

void BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void EndWaitCursor() { QApplication::restoreOverrideCursor(); }

void SetRegistryKey(const std::string& name) { QCoreApplication::setOrganizationName(QString::fromStdString(name)); }

}  // namespace qor::ui::toolkit
