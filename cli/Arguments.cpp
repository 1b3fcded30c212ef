#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "cli/Matching.h"
#include "cli/Text.h"
#include "device/DeviceTable.h"

namespace qor::cli {
namespace {

struct CommandEntry {
  std::string_view Name;
  CommandKind Kind;
};
constexpr CommandEntry Commands[] = {
    {"list", CommandKind::List}, {"keys", CommandKind::Keys},     {"show", CommandKind::Show},
    {"get", CommandKind::Get},   {"export", CommandKind::Export}, {"import", CommandKind::Import},
    {"set", CommandKind::Set},   {"help", CommandKind::Help},
};

enum class OptionKind { Board, File, Json, DryRun, Force, Verbose, Help, Version };

struct OptionEntry {
  std::string_view Long;
  char Short;  // 0: none
  OptionKind Kind;
  bool TakesValue;
  std::initializer_list<CommandKind> For;  // empty: every command
};
const OptionEntry Options[] = {
    {"--board",
     'b',
     OptionKind::Board,
     true,
     {CommandKind::Show, CommandKind::Get, CommandKind::Export, CommandKind::Import, CommandKind::Set}},
    {"--file", 'f', OptionKind::File, true, {CommandKind::Show, CommandKind::Get, CommandKind::Set}},
    {"--json", 'j', OptionKind::Json, false, {CommandKind::List, CommandKind::Keys, CommandKind::Show}},
    {"--dry-run", 'n', OptionKind::DryRun, false, {CommandKind::Set}},
    {"--force", 0, OptionKind::Force, false, {CommandKind::Export, CommandKind::Set}},
    {"--verbose", 'v', OptionKind::Verbose, false, {}},
    {"--help", 'h', OptionKind::Help, false, {}},
    {"--version", 'V', OptionKind::Version, false, {}},
};

std::vector<std::string_view> LongOptionNames() {
  std::vector<std::string_view> names;
  for (const OptionEntry& option : Options) names.push_back(option.Long);
  return names;
}

std::optional<CommandKind> FindCommand(std::string_view name) {
  for (const CommandEntry& command : Commands) {
    if (command.Name == name) return command.Kind;
  }
  return std::nullopt;
}

UsageError UnknownCommand(const std::string& name) {
  return {"unknown command \"" + Printable(name) + "\"" + DidYouMean(name, CommandNames())};
}

struct GivenOption {
  const OptionEntry* Option;
  std::string Spelling;  // as typed: "-b", "--board"
  std::string Value;
};

// Splits the line into options and the rest (command and operands).
std::variant<std::vector<std::string>, UsageError> SplitOptions(const std::vector<std::string>& arguments,
                                                                std::vector<GivenOption>& given) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") {
      rest.insert(rest.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
      break;
    }
    if (argument == "-" || !argument.starts_with("-")) {
      rest.push_back(argument);
      continue;
    }
    // The value of an option: after "=" or in the next argument. A "--"
    // there ends the options and the value follows it: -f -- -x.qos.
    bool optionsEnded = false;
    const auto value = [&](const OptionEntry& option, std::string spelling,
                           std::optional<std::string> attached) -> std::optional<UsageError> {
      if (!attached) {
        optionsEnded = i + 1 < arguments.size() && arguments[i + 1] == "--";
        if (optionsEnded) ++i;
        if (i + 1 == arguments.size()) return UsageError{spelling + " needs a value"};
        attached = arguments[++i];
      }
      given.push_back({&option, std::move(spelling), std::move(*attached)});
      return std::nullopt;
    };
    const auto restAreOperands = [&] {
      rest.insert(rest.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
    };
    if (argument.starts_with("--")) {
      const std::size_t equals = argument.find('=');
      const std::string name = argument.substr(0, equals);
      const auto option =
          std::find_if(std::begin(Options), std::end(Options), [&](const OptionEntry& o) { return o.Long == name; });
      if (option == std::end(Options)) {
        return UsageError{"unknown option \"" + Printable(name) + "\"" + DidYouMean(name, LongOptionNames())};
      }
      if (!option->TakesValue) {
        if (equals != std::string::npos) return UsageError{name + " takes no value"};
        given.push_back({&*option, name, ""});
      } else if (auto error =
                     value(*option, name,
                           equals == std::string::npos ? std::nullopt : std::optional(argument.substr(equals + 1)))) {
        return *error;
      }
      if (optionsEnded) {
        restAreOperands();
        break;
      }
      continue;
    }
    // Short options, which may be bundled: "-nj", "-b2", "-jb 2".
    for (std::size_t at = 1; at < argument.size(); ++at) {
      const auto option = std::find_if(std::begin(Options), std::end(Options),
                                       [&](const OptionEntry& o) { return o.Short != 0 && o.Short == argument[at]; });
      const std::string spelling = std::string("-") + argument[at];
      if (option == std::end(Options)) return UsageError{"unknown option \"" + Printable(spelling) + "\""};
      if (!option->TakesValue) {
        given.push_back({&*option, spelling, ""});
        continue;
      }
      const std::optional<std::string> attached =
          at + 1 < argument.size() ? std::optional(argument.substr(at + 1)) : std::nullopt;
      if (auto error = value(*option, spelling, attached)) return *error;
      break;
    }
    if (optionsEnded) {
      restAreOperands();
      break;
    }
  }
  return rest;
}

// A board is looked for among the boards: a number out of range may still
// be a board's text.
std::optional<UsageError> CheckBoard(const GivenOption& option) {
  if (option.Value.empty()) return UsageError{option.Spelling + " needs a board: a number, node, USB location or text"};
  return std::nullopt;
}

std::optional<UsageError> CheckOperands(Invocation& invocation, std::vector<std::string> operands) {
  const std::string name(CommandName(invocation.Command));
  switch (invocation.Command) {
    case CommandKind::Help:
      if (operands.size() > 1) return UsageError{"help takes one COMMAND"};
      if (operands.size() == 1) {
        invocation.HelpTopic = FindCommand(operands[0]);
        if (!invocation.HelpTopic) return UnknownCommand(operands[0]);
      }
      break;
    case CommandKind::Version:
    case CommandKind::List:
    case CommandKind::Keys:
    case CommandKind::Show:
      if (!operands.empty()) return UsageError{name + " takes no operand \"" + Printable(operands[0]) + "\""};
      break;
    case CommandKind::Get:
      if (operands.size() != 1) return UsageError{"get needs exactly one SETTING"};
      invocation.Setting = operands[0];
      break;
    case CommandKind::Export:
    case CommandKind::Import:
      if (operands.size() != 1) return UsageError{name + " needs exactly one FILE"};
      invocation.File = operands[0];
      break;
    case CommandKind::Set:
      if (operands.empty()) return UsageError{"set needs at least one KEY=VALUE"};
      invocation.Assignments = std::move(operands);
      break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> ParseBoardNumber(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (number < 1 || number > DeviceTable::Capacity) return std::nullopt;
  return number;
}

std::string_view CommandName(CommandKind command) {
  if (command == CommandKind::Version) return "--version";
  return std::find_if(std::begin(Commands), std::end(Commands),
                      [&](const CommandEntry& c) { return c.Kind == command; })
      ->Name;
}

std::vector<std::string_view> CommandNames() {
  std::vector<std::string_view> names;
  for (const CommandEntry& command : Commands) names.push_back(command.Name);
  return names;
}

std::variant<Invocation, UsageError> ParseArguments(const std::vector<std::string>& arguments) {
  std::vector<GivenOption> given;
  auto split = SplitOptions(arguments, given);
  if (const auto* error = std::get_if<UsageError>(&split)) return *error;
  std::vector<std::string> rest = std::move(std::get<std::vector<std::string>>(split));

  Invocation invocation;
  std::optional<CommandKind> command;
  if (!rest.empty()) {
    command = FindCommand(rest.front());
    // An unknown word does not stand in the way of --help or --version.
    const bool answersAnyway = std::any_of(given.begin(), given.end(), [](const GivenOption& g) {
      return g.Option->Kind == OptionKind::Help || g.Option->Kind == OptionKind::Version;
    });
    if (!command && !answersAnyway) return UnknownCommand(rest.front());
    rest.erase(rest.begin());
  }

  // Help and version answer whatever else stands on the line.
  for (const GivenOption& option : given) {
    if (option.Option->Kind == OptionKind::Help) {
      return Invocation{.Command = CommandKind::Help,
                        .HelpTopic = command == CommandKind::Help ? std::nullopt : command};
    }
  }
  for (const GivenOption& option : given) {
    if (option.Option->Kind == OptionKind::Version) return Invocation{.Command = CommandKind::Version};
  }
  if (!command) return UsageError{"no command given"};
  invocation.Command = *command;

  for (const GivenOption& option : given) {
    const auto& commands = option.Option->For;
    if (commands.size() != 0 && std::find(commands.begin(), commands.end(), invocation.Command) == commands.end()) {
      return UsageError{std::string(CommandName(invocation.Command)) + " takes no " + std::string(option.Option->Long)};
    }
    switch (option.Option->Kind) {
      case OptionKind::Board:
        if (auto error = CheckBoard(option)) return *error;
        // set and import write to the board named: one of two would be a guess.
        if (invocation.Board) return UsageError{option.Spelling + " is given twice; name one board"};
        invocation.Board = option.Value;
        break;
      case OptionKind::File:
        if (option.Value.empty()) return UsageError{option.Spelling + " needs a settings file"};
        if (invocation.SettingsFile) return UsageError{option.Spelling + " is given twice; name one file"};
        invocation.SettingsFile = option.Value;
        break;
      case OptionKind::Json:
        invocation.Json = true;
        break;
      case OptionKind::DryRun:
        invocation.DryRun = true;
        break;
      case OptionKind::Force:
        invocation.Force = true;
        break;
      case OptionKind::Verbose:
        invocation.Verbose = true;
        break;
      case OptionKind::Help:
      case OptionKind::Version:
        break;
    }
  }
  if (invocation.Board && invocation.SettingsFile) return UsageError{"--board and --file exclude each other"};
  if (auto error = CheckOperands(invocation, std::move(rest))) return *error;
  return invocation;
}

}  // namespace qor::cli
