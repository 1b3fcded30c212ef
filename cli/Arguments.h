#pragma once
// The command line of qorctl: one command, its options and operands.

#include <string>
#include <variant>
#include <vector>

namespace qor::cli {

enum class CommandKind { Help, Version, List, Show, Export, Import, Set };

struct Invocation {
  CommandKind Command = CommandKind::Help;
  int Board = 1;  // as the window numbers them, from 1
  bool Json = false;
  bool DryRun = false;
  std::string File{};                    // export, import
  std::vector<std::string> Assignments{};  // set: KEY=VALUE, as given
};

struct UsageError {
  std::string Message;
};

// Options may stand anywhere after the command; "--" ends them.
std::variant<Invocation, UsageError> ParseArguments(const std::vector<std::string>& arguments);

}  // namespace qor::cli
