#pragma once
// The KEY=VALUE settings of `qorctl set`, checked as the window's lists and
// setup dialogs check them, and applied to a settings image.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/Arguments.h"
#include "settings/SettingsReport.h"

namespace qor::cli {

struct SettingEdits {
  std::optional<std::uint8_t> BoardId;     // the byte, 0..3
  std::optional<std::uint8_t> Mode;        // 0..4
  std::optional<std::uint8_t> AnalogMask;  // bits 0..5
  std::optional<bool> JoyMouseEnabled;
  std::optional<int> JoyMouseSpeed;  // 1..32
  std::optional<DeadZone> JoyMouseZone;
  std::optional<DeadZone> KeyStickZone;
  std::array<std::optional<std::uint8_t>, KeyStickKeyCount> Keys{};
  bool ListKeys = false;  // a key given as "?": list the key names and change nothing
};

std::variant<SettingEdits, UsageError> ParseSettingEdits(const std::vector<std::string>& assignments);

// Changes only the bytes the edits name. The JoyMouse byte is rebuilt as the
// JoyMouse dialog stores it: enabled bit plus a speed held within 1..32. The
// analog mask is written whole, as the analog dialog does, so bits 6 and 7
// become 0.
void ApplySettingEdits(const SettingEdits& edits, SettingsReport& image);

// Every setting name in help order: mode, board-id, ..., key.button14.
std::vector<std::string> SettingNames();
// The setting a name stands for, matched as the command line matches names.
std::optional<std::string> CanonicalSettingName(std::string_view given);
// The mode a name or a distinctive word of its list text stands for.
std::optional<int> ModeOfName(std::string_view name);

// The text `qorctl --help` shows for the settings.
std::string SettingEditsHelp();

}  // namespace qor::cli
