// An empty Qt dialog run modally: what scripts/bench-startup measures the
// program's start against.

#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Bare dialog"));
  return dialog.exec();
}
