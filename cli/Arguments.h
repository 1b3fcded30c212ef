#pragma once
// The command line of qorctl: one command, its options and operands. Options
// may stand anywhere, before or after the command; "--" ends them.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qor::cli {

enum class CommandKind { Help, Version, List, Keys, Show, Get, Export, Import, Set };

struct Invocation {
  CommandKind Command = CommandKind::Help;
  std::optional<CommandKind> HelpTopic{};     // help COMMAND, COMMAND --help
  std::optional<std::string> Board{};         // --board as given; none: board 1
  std::optional<std::string> SettingsFile{};  // --file: a settings file instead of a board
  bool Json = false;
  bool DryRun = false;
  bool Force = false;                      // export, set: binary to standard output even when it is a terminal
  bool Verbose = false;                    // every transfer with a board on standard error
  std::string File{};                      // export, import: FILE
  std::string Setting{};                   // get: SETTING
  std::vector<std::string> Assignments{};  // set: KEY=VALUE, as given
};

struct UsageError {
  std::string Message;
};

std::variant<Invocation, UsageError> ParseArguments(const std::vector<std::string>& arguments);

// A board number as the window numbers them, 1..DeviceTable::Capacity.
std::optional<int> ParseBoardNumber(std::string_view text);

// The commands as they are typed, for help and completion.
std::string_view CommandName(CommandKind command);
std::vector<std::string_view> CommandNames();

}  // namespace qor::cli
