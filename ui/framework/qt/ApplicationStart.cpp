#include "ui/framework/qt/ApplicationStart.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/posix/FileIo.h"

namespace qor::ui::qt {
namespace {

std::string programName;

struct HeldMessage {
  QtMsgType Type;
  const char* File;  // the context's texts are Qt's own literals
  int Line;
  const char* Function;
  const char* Category;
  QString Text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void SayNoDisplay() {
  std::fprintf(stderr, "%s: no display found; run it on a desktop, or use qorctl, which works without one\n",
               programName.c_str());
}

// While Qt connects to the display its messages are held back: when it
// fails, only the one line is shown; when it succeeds, they follow as usual.
void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    SayNoDisplay();
    std::_Exit(1);
  }
  heldMessages.push_back({type, context.file, context.line, context.function, context.category, text});
}

bool PlatformChosen(int argc, char** argv) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0) return true;
  return false;
}

}  // namespace

std::unique_ptr<QApplication> StartOnDisplay(int& argc, char** argv) {
  // Before anything is opened: a closed standard stream must not lend its
  // number to a board or a file, which would then get Qt's messages.
  if (!fileio::OpenStandardDescriptors()) return nullptr;
  const char* path = argc > 0 ? argv[0] : "qorconfig";
  const char* slash = std::strrchr(path, '/');
  programName = slash ? slash + 1 : path;
  if (!PlatformChosen(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    SayNoDisplay();
    return nullptr;
  }
  // A display that is named but out of reach ends inside the constructor.
  previousHandler = qInstallMessageHandler(StartupMessages);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previousHandler);
  for (const HeldMessage& message : heldMessages) {
    const QMessageLogContext context(message.File, message.Line, message.Function, message.Category);
    if (previousHandler)
      previousHandler(message.Type, context, message.Text);
    else
      std::fprintf(stderr, "%s\n", qPrintable(message.Text));
  }
  heldMessages.clear();
  return application;
}

}  // namespace qor::ui::qt
