#include "ui/framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace qor::ui {
namespace {

MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}

QWidget* ActiveOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

void ShowMessage(const QString& text) {
  QWidget* owner = ActiveOwner();
  if (Hook()) {
    Hook()(text, owner);
    return;
  }
  QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text, QMessageBox::Ok, owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace qor::ui
