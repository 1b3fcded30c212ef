#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#include "device/DeviceTable.h"

namespace qor::cli {
namespace {

struct CommandName {
  std::string_view Name;
  CommandKind Kind;
};
constexpr CommandName Commands[] = {
    {"list", CommandKind::List},     {"show", CommandKind::Show}, {"export", CommandKind::Export},
    {"import", CommandKind::Import}, {"set", CommandKind::Set},   {"help", CommandKind::Help},
};

std::optional<int> ParseBoardNumber(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (number < 1 || number > DeviceTable::Capacity) return std::nullopt;
  return number;
}

UsageError OnlyFor(std::string_view option, std::string_view command) {
  return {std::string(option) + " belongs to " + std::string(command) + " only"};
}

}  // namespace

std::variant<Invocation, UsageError> ParseArguments(const std::vector<std::string>& arguments) {
  Invocation invocation;
  if (arguments.empty()) return UsageError{"no command given"};

  // Help and version win wherever they stand, as long as no "--" came before.
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    if (argument == "--help" || argument == "-h") return Invocation{.Command = CommandKind::Help};
    if (argument == "--version") return Invocation{.Command = CommandKind::Version};
  }

  const auto command = std::find_if(std::begin(Commands), std::end(Commands),
                                    [&](const CommandName& c) { return c.Name == arguments.front(); });
  if (command == std::end(Commands)) return UsageError{"unknown command \"" + arguments.front() + "\""};
  invocation.Command = command->Kind;
  const std::string_view commandName = command->Name;

  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      operands.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--board" || argument.starts_with("--board=")) {
      std::string value;
      if (argument == "--board") {
        if (++i == arguments.size()) return UsageError{"--board needs a board number"};
        value = arguments[i];
      } else {
        value = argument.substr(std::string_view("--board=").size());
      }
      if (invocation.Command == CommandKind::List) return UsageError{"list takes no --board"};
      const std::optional<int> board = ParseBoardNumber(value);
      if (!board) {
        return UsageError{"--board takes a number from 1 to " + std::to_string(DeviceTable::Capacity) + ", not \"" +
                          value + "\""};
      }
      invocation.Board = *board;
    } else if (argument == "--json") {
      if (invocation.Command != CommandKind::Show) return OnlyFor(argument, "show");
      invocation.Json = true;
    } else if (argument == "--dry-run") {
      if (invocation.Command != CommandKind::Set) return OnlyFor(argument, "set");
      invocation.DryRun = true;
    } else {
      return UsageError{"unknown option \"" + argument + "\""};
    }
  }

  switch (invocation.Command) {
    case CommandKind::Help:
    case CommandKind::Version:
    case CommandKind::List:
    case CommandKind::Show:
      if (!operands.empty()) return UsageError{std::string(commandName) + " takes no operand \"" + operands[0] + "\""};
      break;
    case CommandKind::Export:
    case CommandKind::Import:
      if (operands.size() != 1) return UsageError{std::string(commandName) + " needs exactly one FILE"};
      invocation.File = operands[0];
      break;
    case CommandKind::Set:
      if (operands.empty()) return UsageError{"set needs at least one KEY=VALUE"};
      invocation.Assignments = std::move(operands);
      break;
  }
  return invocation;
}

}  // namespace qor::cli
