#pragma once
// The commands of qorctl over any HID platform. Each does what the window
// does for the same task, to the byte, and returns the exit code; data goes
// to Out, messages about failures to Err.

#include <ostream>
#include <string>

#include "cli/BoardAccess.h"
#include "cli/ExitCode.h"
#include "cli/SettingEdits.h"
#include "device/HidPlatform.h"

namespace qor::cli {

struct CommandContext {
  HidPlatform& Platform;
  BoardAccessProbe& Probe;
  std::ostream& Out;
  std::ostream& Err;
  std::string UdevRulesDir = "/usr/lib/udev/rules.d";  // where the access rule is installed
};

// Boards are numbered from 1 as the window's device list numbers them.
ExitCode ListBoards(CommandContext& context);
ExitCode ShowSettings(CommandContext& context, int board, bool json);
ExitCode ExportSettings(CommandContext& context, int board, const std::string& file);
ExitCode ImportSettings(CommandContext& context, int board, const std::string& file);
// With dryRun the image that a save would write is printed and nothing is saved.
ExitCode SetSettings(CommandContext& context, int board, const SettingEdits& edits, bool dryRun);

}  // namespace qor::cli
