#include "cli/Qorctl.h"

#include <variant>

#include "cli/Arguments.h"
#include "cli/Matching.h"
#include "cli/PlatformTexts.h"
#include "cli/Text.h"
#include "cli/TracingPlatform.h"

#ifndef QOR_VERSION
#define QOR_VERSION "unknown"
#endif

namespace qor::cli {
namespace {

ExitCode UsageFailure(CommandContext& context, const std::string& message) {
  context.Err << "qorctl: " << message << "\nTry \"qorctl --help\".\n";
  return ExitCode::Usage;
}

// What --board takes, said once for every command that has it.
const char* const BoardOption = Platform.BoardOption;
constexpr const char* FileOption = "  -f, --file FILE     a settings file (*.qos) instead of a board\n";
constexpr const char* ForceOption = "      --force         write to standard output even when it is a terminal\n";

std::string CommandHelp(CommandKind command) {
  switch (command) {
    case CommandKind::List:
      return std::string(
                 "Usage: qorctl list [-j]\n"
                 "Lists the attached boards: number, identification text, ") +
             Platform.NodeName +
             ", USB\n"
             "location (- for a board without one, such as a virtual board) and product ID.\n"
             "Only the first 10 boards are handled, as in the window.\n"
             "\n"
             "  -j, --json          one JSON object for scripts\n";
    case CommandKind::Keys:
      return "Usage: qorctl keys [-j]\n"
             "Lists the key table's names, one a line: the KEY of key.INPUT=KEY in set.\n"
             "\n"
             "  -j, --json          one JSON object for scripts\n";
    case CommandKind::Show:
      return std::string(
                 "Usage: qorctl show [-b BOARD | -f FILE] [-j]\n"
                 "Shows the settings of a board or of a settings file.\n\n") +
             BoardOption + FileOption + "  -j, --json          one JSON object for scripts\n";
    case CommandKind::Get:
      return std::string(
                 "Usage: qorctl get SETTING [-b BOARD | -f FILE]\n"
                 "Prints one setting's value, in the words set takes for it.\n\n") +
             BoardOption + FileOption + "\nSettings:\n" + SettingEditsHelp();
    case CommandKind::Export:
      return std::string(
                 "Usage: qorctl export [-b BOARD] [--force] FILE\n"
                 "Writes a board's settings to a settings file (*.qos), as the window exports them.\n"
                 "FILE - is standard output, which may be a terminal only with --force.\n\n") +
             BoardOption + ForceOption;
    case CommandKind::Import:
      return std::string(
                 "Usage: qorctl import [-b BOARD] FILE\n"
                 "Saves a settings file's settings to a board, verified by reading them back.\n"
                 "FILE - is standard input.\n\n") +
             BoardOption;
    case CommandKind::Set:
      return std::string(
                 "Usage: qorctl set [-b BOARD | -f FILE] [-n] [--force] KEY=VALUE...\n"
                 "Changes single settings of a board and saves them, or of an existing\n"
                 "settings file of exactly 33 bytes and writes it back.\n\n") +
             BoardOption + FileOption +
             "  -n, --dry-run       print the 33 bytes that would be written; write nothing\n" + ForceOption +
             "\nSettings:\n" + SettingEditsHelp() +
             "\nExamples:\n"
             "  qorctl set mode=keystick key.up=\"U ARROW\" key.button1=space\n"
             "  qorctl set -b 2 joymouse=on joymouse-speed=8 joymouse-zone=100,150,90,160\n"
             "  qorctl set -f cabinet.qos board-id=2\n";
    case CommandKind::Help:
      return "Usage: qorctl help [COMMAND]\nDescribes qorctl or one of its commands.\n";
    case CommandKind::Version:
      return "Usage: qorctl -V|--version\n";
  }
  return {};
}

ExitCode Dispatch(const Invocation& invocation, CommandContext& context) {
  const Target target{invocation.Board, invocation.SettingsFile};
  switch (invocation.Command) {
    case CommandKind::Help:
      context.Out << (invocation.HelpTopic ? CommandHelp(*invocation.HelpTopic) : HelpText());
      return ExitCode::Ok;
    case CommandKind::Version:
      context.Out << "qorctl " << QOR_VERSION << '\n';
      return ExitCode::Ok;
    case CommandKind::List:
      return ListBoards(context, invocation.Json);
    case CommandKind::Keys:
      return ListKeys(context, invocation.Json);
    case CommandKind::Show:
      return ShowSettings(context, target, invocation.Json);
    case CommandKind::Get: {
      // The name is checked before any board is touched.
      const std::optional<std::string> setting = CanonicalSettingName(invocation.Setting);
      if (!setting) {
        const std::vector<std::string> names = SettingNames();
        return UsageFailure(context, "unknown setting \"" + Printable(invocation.Setting) + "\"" +
                                         DidYouMean(invocation.Setting, {names.begin(), names.end()}));
      }
      return GetSetting(context, target, *setting);
    }
    case CommandKind::Export:
      return ExportSettings(context, target, invocation.File, invocation.Force);
    case CommandKind::Import:
      return ImportSettings(context, target, invocation.File);
    case CommandKind::Set: {
      // Every setting is checked before any board or file is touched.
      const auto edits = ParseSettingEdits(invocation.Assignments);
      if (const auto* error = std::get_if<UsageError>(&edits)) return UsageFailure(context, error->Message);
      return SetSettings(context, target, std::get<SettingEdits>(edits), invocation.DryRun, invocation.Force);
    }
  }
  return ExitCode::Usage;
}

}  // namespace

std::string HelpText() {
  return "Usage: qorctl COMMAND [OPTIONS]\n"
         "Shows and changes the settings of QOR boards attached over USB, and of\n"
         "settings files (*.qos). Options may stand before or after the command.\n"
         "\n"
         "Commands:\n"
         "  list [-j]                          the attached boards and where they are\n"
         "  keys [-j]                          the key names set takes for key.INPUT\n"
         "  show [-b BOARD | -f FILE] [-j]     the settings of a board (default 1) or file\n"
         "  get SETTING [-b BOARD | -f FILE]   one setting's value\n"
         "  export [-b BOARD] FILE             write a board's settings to a settings file\n"
         "  import [-b BOARD] FILE             save a settings file's settings to a board\n"
         "  set [-b BOARD | -f FILE] [-n] KEY=VALUE...\n"
         "                                     change single settings and save them\n"
         "  help [COMMAND], -h, --help         this text, or a command's\n"
         "  -V, --version                      the version\n"
         "\n"
         "Options:\n" +
         std::string(BoardOption) + FileOption +
         "  -j, --json          JSON for scripts (list, keys, show)\n"
         "  -n, --dry-run       print the bytes set would write; write nothing\n" +
         std::string(ForceOption) +
         "  -v, --verbose       show every transfer with a board on standard error\n"
         "\n"
         "A FILE named - is standard input where it is read, and standard output where\n"
         "it is written.\n"
         "\n"
         "Every save is read back from the board and compared. A board applies saved\n"
         "settings once it has been unplugged and plugged in again.\n"
         "\n"
         "Settings for get and set:\n" +
         SettingEditsHelp() +
         "\n"
         "Examples:\n"
         "  qorctl list\n"
         "  qorctl set mode=keystick key.up=\"U ARROW\" key.button1=space\n"
         "  qorctl -b " +
         Platform.LocationExample +
         " set joymouse=on joymouse-speed=8 joymouse-zone=100,150,90,160\n"
         "  qorctl get mode -b " +
         Platform.NodeExample +
         "\n"
         "  qorctl export - | ssh cab qorctl import -\n"
         "\n"
         "Exit status:\n"
         "  0  success\n"
         "  2  usage error: unknown command or option, an invalid setting, or settings\n"
         "     to be written to a terminal\n"
         "  3  no board found, or not the board asked for\n"
         "  4  communication failure: a board did not answer or did not keep the settings\n"
         "  5  file error: a settings file could not be read or written, or the output\n"
         "     did not get through\n";
}

int Run(const std::vector<std::string>& arguments, CommandContext& context) {
  const auto parsed = ParseArguments(arguments);
  if (const auto* error = std::get_if<UsageError>(&parsed)) return ToStatus(UsageFailure(context, error->Message));
  const Invocation& invocation = std::get<Invocation>(parsed);
  if (!invocation.Verbose) return ToStatus(Dispatch(invocation, context));
  TracingPlatform tracing(context.Platform, context.Err);
  CommandContext traced{tracing, context.Probe, context.Out, context.Err, context.Rules, context.InFd, context.OutFd};
  return ToStatus(Dispatch(invocation, traced));
}

}  // namespace qor::cli
