#include "cli/SettingEdits.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>

#include "cli/KeyInputs.h"
#include "cli/Matching.h"
#include "cli/Text.h"
#include "res/StringTable.h"
#include "settings/KeyCodeTable.h"

namespace qor::cli {
namespace {

constexpr std::string_view KeyPrefix = "key.";
const char* const TopBottomMessage = res::LoadString(res::IDS_DEADZONE_TOP_BOTTOM);
const char* const LeftRightMessage = res::LoadString(res::IDS_DEADZONE_LEFT_RIGHT);

std::optional<int> ParseNumber(std::string_view text, int min, int max, int base = 10) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
// What the user typed, quoted, as it may reach the terminal.
std::string Typed(std::string_view text) { return Quoted(Printable(text)); }

std::string SettingNamesText() {
  std::string names;
  for (const std::string& name : SettingNames()) names += (names.empty() ? "" : ", ") + name;
  return names;
}

std::vector<std::string_view> KeyNameList() {
  std::vector<std::string_view> names;
  for (int i = 0; i < KeyCodeTable::Count; ++i) names.push_back(KeyCodeTable::NameAt(i));
  return names;
}

std::vector<std::string_view> Views(const std::vector<std::string>& names) { return {names.begin(), names.end()}; }

using Result = std::optional<UsageError>;
UsageError Bad(std::string_view key, std::string_view value, std::string_view expected) {
  return {Typed(value) + " is not a value for " + std::string(key) + ": " + std::string(expected)};
}

Result ParseMode(std::string_view value, SettingEdits& edits) {
  if (const auto number = ParseNumber(value, 0, ModeCount - 1)) {
    edits.Mode = static_cast<std::uint8_t>(*number);
    return {};
  }
  if (const auto mode = ModeOfName(value)) {
    edits.Mode = static_cast<std::uint8_t>(*mode);
    return {};
  }
  return Bad("mode", value, "a number 0..4, a mode's name or a word of it that names one mode (see qorctl help set)");
}

Result ParseBoardId(std::string_view value, SettingEdits& edits) {
  const auto number = ParseNumber(value, 1, BoardIdCount);
  if (!number) return Bad("board-id", value, "a number 1..4");
  edits.BoardId = static_cast<std::uint8_t>(*number - 1);
  return {};
}

Result ParseAnalog(std::string_view value, SettingEdits& edits) {
  constexpr int AllInputs = (1 << AnalogInputCount) - 1;
  constexpr std::string_view Expected = "inputs 1..6 as a list like 1,3,4, or none, all, or a mask 0x00..0x3f";
  if (EqualButForCase(value, "none")) {
    edits.AnalogMask = 0;
  } else if (EqualButForCase(value, "all")) {
    edits.AnalogMask = AllInputs;
  } else if (value.starts_with("0x")) {
    const auto mask = ParseNumber(value.substr(2), 0, AllInputs, 16);
    if (!mask) return Bad("analog", value, Expected);
    edits.AnalogMask = static_cast<std::uint8_t>(*mask);
  } else {
    int mask = 0;
    for (std::string_view part : Split(value, ',')) {
      const auto input = ParseNumber(part, 1, AnalogInputCount);
      if (!input) return Bad("analog", value, Expected);
      mask |= 1 << (*input - 1);
    }
    edits.AnalogMask = static_cast<std::uint8_t>(mask);
  }
  return {};
}

Result ParseJoyMouse(std::string_view value, SettingEdits& edits) {
  const std::optional<std::size_t> choice = MatchName(value, {"off", "on"});
  if (!choice) return Bad("joymouse", value, "on or off");
  edits.JoyMouseEnabled = *choice == 1;
  return {};
}

Result ParseSpeed(std::string_view value, SettingEdits& edits) {
  edits.JoyMouseSpeed = ParseNumber(value, joy_mouse::MinSpeed, joy_mouse::MaxSpeed);
  if (!edits.JoyMouseSpeed) return Bad("joymouse-speed", value, "a number 1..32");
  return {};
}

// Top/Bottom is checked before Left/Right, as the setup dialogs do.
Result ParseDeadZone(std::string_view key, std::string_view value, std::optional<DeadZone>& zone) {
  const std::vector<std::string_view> parts = Split(value, ',');
  std::array<std::uint8_t, 4> numbers{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto number = ParseNumber(parts[i], 0, 255);
    if (parts.size() != numbers.size() || !number) {
      return Bad(key, value, "four numbers 0..255 for Top,Bottom,Left,Right");
    }
    numbers[i] = static_cast<std::uint8_t>(*number);
  }
  const DeadZone parsed{numbers[0], numbers[1], numbers[2], numbers[3]};
  if (parsed.Top >= parsed.Bottom) return UsageError{TopBottomMessage};
  if (parsed.Left >= parsed.Right) return UsageError{LeftRightMessage};
  zone = parsed;
  return {};
}

Result ParseKey(std::size_t input, std::string_view key, std::string_view value, SettingEdits& edits) {
  if (value == "?") {
    edits.ListKeys = true;
    return std::nullopt;
  }
  const std::optional<std::size_t> found = MatchName(value, KeyNameList());
  if (!found) {
    const std::string suggestion = DidYouMean(value, KeyNameList());
    return UsageError{Typed(value) + " is not a key name for " + std::string(key) +
                      (suggestion.empty() ? "; qorctl keys lists the key names" : suggestion)};
  }
  edits.Keys[input] = KeyCodeTable::CodeAt(static_cast<int>(*found));
  return {};
}

Result ParseOne(std::string_view key, std::string_view value, SettingEdits& edits) {
  if (key.starts_with(KeyPrefix)) {
    for (std::size_t i = 0; i < KeyStickKeyCount; ++i) {
      if (key.substr(KeyPrefix.size()) == KeyInputs()[i].SettingName) return ParseKey(i, key, value, edits);
    }
  }
  if (key == "mode") return ParseMode(value, edits);
  if (key == "board-id") return ParseBoardId(value, edits);
  if (key == "analog") return ParseAnalog(value, edits);
  if (key == "joymouse") return ParseJoyMouse(value, edits);
  if (key == "joymouse-speed") return ParseSpeed(value, edits);
  if (key == "joymouse-zone") return ParseDeadZone(key, value, edits.JoyMouseZone);
  if (key == "keystick-zone") return ParseDeadZone(key, value, edits.KeyStickZone);
  return UsageError{"unknown setting " + Quoted(key) + "; settings: " + SettingNamesText()};
}

}  // namespace

std::vector<std::string> SettingNames() {
  std::vector<std::string> names = {"mode",           "board-id",      "analog",       "joymouse",
                                    "joymouse-speed", "joymouse-zone", "keystick-zone"};
  for (const KeyInput& input : KeyInputs()) names.push_back(std::string(KeyPrefix) + input.SettingName);
  return names;
}

std::optional<std::string> CanonicalSettingName(std::string_view given) {
  const std::vector<std::string> names = SettingNames();
  const std::optional<std::size_t> found = MatchName(given, Views(names));
  if (!found) return std::nullopt;
  return names[*found];
}

std::optional<int> ModeOfName(std::string_view name) {
  std::vector<std::string_view> texts;
  for (int mode = 0; mode < ModeCount; ++mode) texts.push_back(ModeListText(mode));
  if (const auto whole = MatchName(name, texts)) return static_cast<int>(*whole);
  // A word of the list text that only one mode has: "keystick", "dual", "49-way".
  std::optional<int> found;
  for (int mode = 0; mode < ModeCount; ++mode) {
    const std::vector<std::string_view> words = Split(texts[static_cast<std::size_t>(mode)], ' ');
    if (std::none_of(words.begin(), words.end(), [&](std::string_view word) { return EqualButForCase(word, name); }))
      continue;
    if (found) return std::nullopt;
    found = mode;
  }
  return found;
}

std::variant<SettingEdits, UsageError> ParseSettingEdits(const std::vector<std::string>& assignments) {
  SettingEdits edits;
  std::set<std::string> seen;
  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) return UsageError{Typed(assignment) + " is not KEY=VALUE"};
    const std::string_view given = std::string_view(assignment).substr(0, equals);
    const std::optional<std::string> key = CanonicalSettingName(given);
    if (!key) {
      const std::string suggestion = DidYouMean(given, Views(SettingNames()));
      return UsageError{"unknown setting " + Typed(given) +
                        (suggestion.empty() ? "; settings: " + SettingNamesText() : suggestion)};
    }
    if (!seen.insert(*key).second) return UsageError{*key + " is given twice"};
    if (Result error = ParseOne(*key, std::string_view(assignment).substr(equals + 1), edits)) return *error;
  }
  return edits;
}

void ApplySettingEdits(const SettingEdits& edits, SettingsReport& image) {
  if (edits.BoardId) image[report_offset::BoardId] = *edits.BoardId;
  if (edits.Mode) image[report_offset::Mode] = *edits.Mode;
  if (edits.AnalogMask) image[report_offset::AnalogInputs] = *edits.AnalogMask;
  if (edits.JoyMouseEnabled || edits.JoyMouseSpeed) {
    const std::uint8_t current = image[report_offset::JoyMouse];
    const bool enabled = edits.JoyMouseEnabled.value_or(joy_mouse::IsEnabled(current));
    const int speed =
        edits.JoyMouseSpeed.value_or(std::clamp(joy_mouse::Speed(current), joy_mouse::MinSpeed, joy_mouse::MaxSpeed));
    image[report_offset::JoyMouse] = joy_mouse::Make(enabled, speed);
  }
  if (edits.JoyMouseZone) WriteDeadZone(image, report_offset::JoyMouseDeadZone, *edits.JoyMouseZone);
  if (edits.KeyStickZone) WriteDeadZone(image, report_offset::KeyStickDeadZone, *edits.KeyStickZone);
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i) {
    if (edits.Keys[i]) image[report_offset::KeyStickKeys + i] = *edits.Keys[i];
  }
}

std::string SettingEditsHelp() {
  std::string help =
      "  mode=N|NAME            operating mode: a number, the name, or a word of the\n"
      "                         name that only one mode has (keystick, dual, 49-way):\n";
  for (int mode = 0; mode < ModeCount; ++mode) {
    help += "                           " + std::to_string(mode) + "  " + ModeListText(mode) + "\n";
  }
  help +=
      "  board-id=1..4          the board ID\n"
      "  analog=LIST            analog inputs: 1,3,4 | none | all | 0x00..0x3f\n"
      "  joymouse=on|off        JoyMouse enabled\n"
      "  joymouse-speed=1..32   JoyMouse speed\n"
      "  joymouse-zone=T,B,L,R  JoyMouse dead zone: Top,Bottom,Left,Right, each 0..255,\n"
      "                         Top < Bottom and Left < Right\n"
      "  keystick-zone=T,B,L,R  KeyStick dead zone, the same way\n"
      "  key.INPUT=KEY          the key an input sends in KeyStick mode; INPUT is up,\n"
      "                         down, left, right, button1..button14; KEY a key table\n"
      "                         name: F1, SPACE, \"U ARROW\"... (any case where only one\n"
      "                         name fits; the exact case always wins); qorctl keys\n"
      "                         or key.INPUT=? lists them\n";
  return help;
}

}  // namespace qor::cli
