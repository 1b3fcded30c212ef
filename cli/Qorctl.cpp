#include "cli/Qorctl.h"

#include <variant>

#include "cli/Arguments.h"

#ifndef QOR_VERSION
#define QOR_VERSION "unknown"
#endif

namespace qor::cli {
namespace {

ExitCode UsageFailure(CommandContext& context, const std::string& message) {
  context.Err << "qorctl: " << message << "\nTry \"qorctl --help\".\n";
  return ExitCode::Usage;
}

ExitCode Dispatch(const Invocation& invocation, CommandContext& context) {
  switch (invocation.Command) {
    case CommandKind::Help:
      context.Out << HelpText();
      return ExitCode::Ok;
    case CommandKind::Version:
      context.Out << "qorctl " << QOR_VERSION << '\n';
      return ExitCode::Ok;
    case CommandKind::List:
      return ListBoards(context);
    case CommandKind::Show:
      return ShowSettings(context, invocation.Board, invocation.Json);
    case CommandKind::Export:
      return ExportSettings(context, invocation.Board, invocation.File);
    case CommandKind::Import:
      return ImportSettings(context, invocation.Board, invocation.File);
    case CommandKind::Set: {
      // Every setting is checked before any board is touched.
      const auto edits = ParseSettingEdits(invocation.Assignments);
      if (const auto* error = std::get_if<UsageError>(&edits)) return UsageFailure(context, error->Message);
      return SetSettings(context, invocation.Board, std::get<SettingEdits>(edits), invocation.DryRun);
    }
  }
  return ExitCode::Usage;
}

}  // namespace

std::string HelpText() {
  return "Usage: qorctl COMMAND [OPTIONS]\n"
         "Shows and changes the settings of QOR boards attached over USB.\n"
         "\n"
         "Commands:\n"
         "  list                       the attached boards, numbered as the window does\n"
         "  show [--board N] [--json]  the settings of board N (default 1)\n"
         "  export [--board N] FILE    write board N's settings to a settings file (*.qos)\n"
         "  import [--board N] FILE    save a settings file's settings to board N\n"
         "  set [--board N] [--dry-run] KEY=VALUE...\n"
         "                             change single settings of board N and save them;\n"
         "                             --dry-run prints the 33 bytes a save would write\n"
         "                             and saves nothing\n"
         "  help, --help               this text\n"
         "  --version                  the version\n"
         "\n"
         "Every save is read back from the board and compared. A board applies saved\n"
         "settings once it has been unplugged and plugged in again.\n"
         "\n"
         "Settings for set:\n" +
         SettingEditsHelp() +
         "\n"
         "Examples:\n"
         "  qorctl set mode=4 key.up=\"U ARROW\" key.button1=SPACE\n"
         "  qorctl set --board 2 joymouse=on joymouse-speed=8 joymouse-zone=100,150,90,160\n"
         "\n"
         "Exit status:\n"
         "  0  success\n"
         "  2  usage error: unknown command or option, or an invalid setting\n"
         "  3  no board found, or no board with that number\n"
         "  4  communication failure: a board did not answer or did not keep the settings\n"
         "  5  file error: a settings file could not be read or written\n";
}

int Run(const std::vector<std::string>& arguments, CommandContext& context) {
  const auto parsed = ParseArguments(arguments);
  if (const auto* error = std::get_if<UsageError>(&parsed)) return ToStatus(UsageFailure(context, error->Message));
  return ToStatus(Dispatch(std::get<Invocation>(parsed), context));
}

}  // namespace qor::cli
