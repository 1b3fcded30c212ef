// An empty Qt dialog run modally: what scripts/bench-startup measures the
// program's start against. With --text it shows one line of text, so it
// loads the fonts as every window with text must.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <cstring>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Bare dialog"));
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0) new QLabel(QStringLiteral("Bare dialog"), &dialog);
  return dialog.exec();
}
