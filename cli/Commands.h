#pragma once
// The commands of qorctl over any HID platform. Each does what the window
// does for the same task, to the byte, and returns the exit code; data goes
// to Out, messages about failures to Err.

#include <optional>
#include <ostream>
#include <string>

#include "cli/ExitCode.h"
#include "cli/SettingEdits.h"
#include "device/AccessAdvice.h"
#include "device/BoardProbe.h"
#include "device/HidPlatform.h"

namespace qor::cli {

struct CommandContext {
  HidPlatform& Platform;
  BoardProbe& Probe;
  std::ostream& Out;
  std::ostream& Err;
  InstalledRules Rules{};  // what to point a user to whom a board is closed
  int InFd = 0;            // what a file named "-" reads: standard input
  int OutFd = 1;           // what a file named "-" writes: standard output, the one behind Out
};

// What a command works on: a board picked by --board (number, node, USB
// location or text; none: board 1), or a settings file. A settings file named
// "-" is standard input where it is read and standard output where written.
struct Target {
  std::optional<std::string> Board{};
  std::optional<std::string> File{};
};

ExitCode ListBoards(CommandContext& context, bool json);
// The key table's names, one a line, for key.INPUT=KEY; touches no board.
ExitCode ListKeys(CommandContext& context, bool json);
ExitCode ShowSettings(CommandContext& context, const Target& target, bool json);
// `setting` is a name from SettingNames.
ExitCode GetSetting(CommandContext& context, const Target& target, const std::string& setting);
// Binary to a terminal is refused (exit 2) unless forced.
ExitCode ExportSettings(CommandContext& context, const Target& target, const std::string& file, bool force);
ExitCode ImportSettings(CommandContext& context, const Target& target, const std::string& file);
// With edits.ListKeys the key names are listed and nothing is touched.
// With dryRun the image that would be written is printed and nothing is written.
// A file must hold exactly 33 bytes, and keeps every byte that was not set.
ExitCode SetSettings(CommandContext& context, const Target& target, const SettingEdits& edits, bool dryRun, bool force);

}  // namespace qor::cli
