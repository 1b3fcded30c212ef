#include "cli/SettingsText.h"

#include <sstream>
#include <vector>

#include "cli/KeyInputs.h"
#include "cli/Text.h"

namespace qor::cli {
namespace {

bool BoardIdInRange(std::uint8_t value) { return value < BoardIdCount; }
bool SpeedInRange(int speed) { return speed >= joy_mouse::MinSpeed && speed <= joy_mouse::MaxSpeed; }

std::vector<int> ConnectedInputs(std::uint8_t mask) {
  std::vector<int> inputs;
  for (int input = 1; input <= AnalogInputCount; ++input) {
    if (mask & (1u << (input - 1))) inputs.push_back(input);
  }
  return inputs;
}

std::vector<int> ExtraBits(std::uint8_t mask) {
  std::vector<int> bits;
  for (int bit = AnalogInputCount; bit < 8; ++bit) {
    if (mask & (1u << bit)) bits.push_back(bit);
  }
  return bits;
}

std::string Joined(const std::vector<int>& values, std::string_view prefix = "", std::string_view separator = ", ") {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += separator;
    out += std::string(prefix) + std::to_string(values[i]);
  }
  return out;
}

// --- text ---

std::string BoardIdText(std::uint8_t value) {
  if (BoardIdInRange(value)) return std::to_string(value + 1);
  return "raw value " + std::to_string(value) + " (out of range)";
}

std::string ModeText(std::uint8_t value) {
  if (const char* text = ModeListText(value)) return text;
  return std::to_string(value) + " (unknown)";
}

std::string AnalogText(std::uint8_t mask) {
  const std::vector<int> inputs = ConnectedInputs(mask);
  std::string out = inputs.empty() ? "none" : Joined(inputs);
  const std::vector<int> extra = ExtraBits(mask);
  if (!extra.empty()) out += " (also set: " + Joined(extra, "bit ") + ")";
  return out;
}

std::string SpeedText(int speed) {
  std::string out = std::to_string(speed);
  if (!SpeedInRange(speed)) out += " (out of range 1..32)";
  return out;
}

std::string DeadZoneText(const DeadZone& zone) {
  std::string out = "Top " + std::to_string(zone.Top) + ", Bottom " + std::to_string(zone.Bottom) + ", Left " +
                    std::to_string(zone.Left) + ", Right " + std::to_string(zone.Right);
  if (zone.Top >= zone.Bottom) out += " (Top not below Bottom)";
  if (zone.Left >= zone.Right) out += " (Left not below Right)";
  return out;
}

std::string KeyText(std::uint8_t code) {
  if (const char* name = KeyNameOfCode(code)) return name;
  return HexByte(code) + " (not in the key table)";
}

// --- JSON ---

std::string JsonNumbers(const std::vector<int>& values) { return "[" + Joined(values) + "]"; }

std::string JsonDeadZone(const DeadZone& zone) {
  std::ostringstream out;
  out << std::boolalpha << "{\"top\": " << int{zone.Top} << ", \"bottom\": " << int{zone.Bottom}
      << ", \"left\": " << int{zone.Left} << ", \"right\": " << int{zone.Right}
      << ", \"valid\": " << (zone.Top < zone.Bottom && zone.Left < zone.Right) << "}";
  return out.str();
}

std::string Text(std::string_view heading, const std::string& source, const SettingsReport& image) {
  const std::uint8_t joyMouse = image[report_offset::JoyMouse];
  std::ostringstream out;
  const auto line = [&out](std::string_view label, const std::string& value) {
    out << label << std::string(21 - label.size(), ' ') << value << '\n';
  };
  line(heading, source);
  line("Board ID:", BoardIdText(image[report_offset::BoardId]));
  line("Mode:", ModeText(image[report_offset::Mode]));
  line("Analog inputs:", AnalogText(image[report_offset::AnalogInputs]));
  line("JoyMouse:", joy_mouse::IsEnabled(joyMouse) ? "enabled" : "disabled");
  line("JoyMouse speed:", SpeedText(joy_mouse::Speed(joyMouse)));
  line("JoyMouse dead zone:", DeadZoneText(ReadDeadZone(image, report_offset::JoyMouseDeadZone)));
  line("KeyStick dead zone:", DeadZoneText(ReadDeadZone(image, report_offset::KeyStickDeadZone)));
  out << "KeyStick keys:\n";
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i) {
    const std::string label = KeyInputs()[i].Label;
    out << "  " << label << std::string(12 - label.size(), ' ') << KeyText(image[report_offset::KeyStickKeys + i])
        << '\n';
  }
  return out.str();
}

// `source` holds the members that say where the image came from.
std::string Json(const std::string& source, const SettingsReport& image) {
  const std::uint8_t boardId = image[report_offset::BoardId];
  const std::uint8_t mode = image[report_offset::Mode];
  const std::uint8_t analog = image[report_offset::AnalogInputs];
  const std::uint8_t joyMouse = image[report_offset::JoyMouse];
  const char* modeText = ModeListText(mode);

  std::ostringstream out;
  out << std::boolalpha << "{\n";
  out << source;
  out << "  \"board_id\": {\"raw\": " << int{boardId}
      << ", \"value\": " << (BoardIdInRange(boardId) ? std::to_string(boardId + 1) : "null")
      << ", \"in_range\": " << BoardIdInRange(boardId) << "},\n";
  out << "  \"mode\": {\"raw\": " << int{mode} << ", \"name\": " << (modeText ? JsonString(modeText) : "null")
      << ", \"known\": " << (modeText != nullptr) << "},\n";
  out << "  \"analog_inputs\": {\"raw\": " << int{analog} << ", \"connected\": " << JsonNumbers(ConnectedInputs(analog))
      << ", \"other_bits\": " << JsonNumbers(ExtraBits(analog)) << "},\n";
  out << "  \"joymouse\": {\"raw\": " << int{joyMouse} << ", \"enabled\": " << joy_mouse::IsEnabled(joyMouse)
      << ", \"speed\": " << joy_mouse::Speed(joyMouse)
      << ", \"speed_in_range\": " << SpeedInRange(joy_mouse::Speed(joyMouse)) << "},\n";
  out << "  \"joymouse_dead_zone\": " << JsonDeadZone(ReadDeadZone(image, report_offset::JoyMouseDeadZone)) << ",\n";
  out << "  \"keystick_dead_zone\": " << JsonDeadZone(ReadDeadZone(image, report_offset::KeyStickDeadZone)) << ",\n";
  out << "  \"keys\": {\n";
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i) {
    const std::uint8_t code = image[report_offset::KeyStickKeys + i];
    const char* name = KeyNameOfCode(code);
    out << "    \"" << KeyInputs()[i].SettingName << "\": {\"code\": " << int{code}
        << ", \"name\": " << (name ? JsonString(name) : "null") << "}" << (i + 1 < KeyStickKeyCount ? "," : "") << '\n';
  }
  out << "  },\n";
  out << "  \"report\": \"" << HexBytes(image) << "\"\n";
  out << "}\n";
  return out.str();
}

}  // namespace

std::string ListEntry(const BoardLabel& board) {
  return std::to_string(board.Number) + ": " + Printable(board.Identification, Encoding::Latin1);
}

std::string SettingsAsText(const BoardLabel& board, const SettingsReport& image) {
  return Text("Board:", ListEntry(board), image);
}

std::string SettingsAsText(const FileLabel& file, const SettingsReport& image) {
  return Text("File:", Printable(file.Path), image);
}

std::string SettingsAsJson(const BoardLabel& board, const SettingsReport& image) {
  return Json("  \"board\": " + std::to_string(board.Number) +
                  ",\n  \"identification\": " + JsonString(board.Identification) + ",\n",
              image);
}

std::string SettingsAsJson(const FileLabel& file, const SettingsReport& image) {
  return Json("  \"file\": " + JsonFileName(file.Path) + ",\n", image);
}

std::string SettingWords(std::string_view setting, const SettingsReport& image) {
  const std::uint8_t joyMouse = image[report_offset::JoyMouse];
  const auto zone = [&](std::size_t offset) {
    const DeadZone z = ReadDeadZone(image, offset);
    return Joined({z.Top, z.Bottom, z.Left, z.Right}, "", ",");
  };
  if (setting == "mode") return ModeText(image[report_offset::Mode]);
  if (setting == "board-id") return BoardIdText(image[report_offset::BoardId]);
  if (setting == "analog") {
    const std::uint8_t mask = image[report_offset::AnalogInputs];
    if (!ExtraBits(mask).empty()) return HexByte(mask);
    return mask == 0 ? "none" : Joined(ConnectedInputs(mask), "", ",");
  }
  if (setting == "joymouse") return joy_mouse::IsEnabled(joyMouse) ? "on" : "off";
  if (setting == "joymouse-speed") return SpeedText(joy_mouse::Speed(joyMouse));
  if (setting == "joymouse-zone") return zone(report_offset::JoyMouseDeadZone);
  if (setting == "keystick-zone") return zone(report_offset::KeyStickDeadZone);
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i) {
    if (setting == std::string("key.") + KeyInputs()[i].SettingName) {
      return KeyText(image[report_offset::KeyStickKeys + i]);
    }
  }
  return {};
}

}  // namespace qor::cli
