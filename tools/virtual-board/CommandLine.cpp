#include "tools/virtual-board/CommandLine.h"

#include <string_view>

#include "device/DeviceTable.h"

namespace qor::virtualboard {

const char* const UsageText =
    "Usage: qor-virtual-board DEVICE [MODIFIER]... [DEVICE [MODIFIER]...]...\n"
    "Puts virtual QOR boards on this machine's HID stack through /dev/uhid and\n"
    "answers their feature reports like the board firmware, until stopped with\n"
    "Ctrl+C or SIGTERM. Needs root (or access to /dev/uhid) and the uhid module.\n"
    "Prints one line per device created (\"device N KIND VID:PID /dev/hidrawM ...\")\n"
    "and then \"ready\".\n"
    "\n"
    "Devices, created in the order given:\n"
    "  --board TEXT        a QOR board (16C0:07B3) identifying itself as TEXT\n"
    "                      (31 characters at most reach the host)\n"
    "  --boards N          N boards identifying as \"Virtual QOR 1\"..\"Virtual QOR N\"\n"
    "  --other-vendor      a device of another vendor (1209:0001) with 33-byte\n"
    "                      feature reports\n"
    "  --wide-report       a device with QOR IDs (16C0:07B3) whose feature\n"
    "                      report is 65 bytes\n"
    "Modifiers of the device just named:\n"
    "  --product HEX       its product ID (QOR boards use 07B3..07BA)\n"
    "  --fail-get N        its N-th get feature request fails (counted from 1;\n"
    "                      may be given several times)\n"
    "  --fail-set N        its N-th set feature request fails\n"
    "  --vanish-after N    it disappears 0.1 s after answering its N-th transfer\n"
    "                      (gets and sets counted together; requests in that\n"
    "                      moment stay unanswered), with all its interfaces\n"
    "Modifiers of the board just named:\n"
    "  --settings HEX      its stored settings, bytes 2..32 as 62 hex digits\n"
    "  --joystick          it also shows a joystick interface with the same IDs\n"
    "Other options:\n"
    "  --verbose           print every request the kernel passes on\n"
    "  --help              print this text\n"
    "\n"
    "Example: qor-virtual-board --board \"Cabinet left\" --joystick --board \"Cabinet right\"\n";

namespace {

using tools::ParseNumber;

std::optional<SettingsReport> ParseSettings(std::string_view hex) {
  SettingsReport settings{};
  if (hex.size() != 2 * (SettingsReportSize - 2)) return std::nullopt;
  for (std::size_t i = 0; i < SettingsReportSize - 2; ++i) {
    const std::optional<long> byte = ParseNumber<long>(hex.substr(2 * i, 2), 16);
    if (!byte || hex[2 * i] == '+' || hex[2 * i] == '-') return std::nullopt;
    settings[i + 2] = static_cast<std::uint8_t>(*byte);
  }
  return settings;
}

DeviceRequest Board(std::string identification) {
  DeviceRequest wanted;
  wanted.Kind = DeviceKind::Board;
  wanted.VendorId = QorVendorId;
  wanted.ProductId = QorFirstProductId;
  wanted.Identification = std::move(identification);
  wanted.Settings = DefaultSettings();
  return wanted;
}

class Parser : tools::ArgumentReader {
 public:
  using ArgumentReader::ArgumentReader;

  ParseResult Run() {
    while (const auto name = NextOption()) Option(*name);
    if (m_Options.Devices.empty() && !m_Options.Help) Fail("no device named");
    if (!Error().empty()) return {std::nullopt, Error()};
    return {m_Options, {}};
  }

 private:
  void Option(const std::string& name) {
    if (name == "--help") {
      m_Options.Help = true;
    } else if (name == "--verbose") {
      m_Options.Verbose = true;
    } else if (name == "--board") {
      if (const auto text = Value(name)) m_Options.Devices.push_back(Board(*text));
    } else if (name == "--boards") {
      if (const auto count = Count(name)) {
        for (long i = 1; i <= *count; ++i) m_Options.Devices.push_back(Board("Virtual QOR " + std::to_string(i)));
      }
    } else if (name == "--other-vendor") {
      m_Options.Devices.push_back(
          DeviceRequest{.Kind = DeviceKind::OtherVendor, .VendorId = OtherVendorId, .ProductId = OtherVendorProductId});
    } else if (name == "--wide-report") {
      m_Options.Devices.push_back(
          DeviceRequest{.Kind = DeviceKind::WideReport, .VendorId = QorVendorId, .ProductId = QorFirstProductId});
    } else if (name == "--product") {
      DeviceRequest* device = Last(name, false);
      const auto text = Value(name);
      if (!device || !text) return;
      const std::optional<long> id = ParseNumber<long>(*text, 16);
      if (!id || *id < 0 || *id > 0xFFFF) return Fail(name + " needs a hexadecimal ID up to FFFF");
      device->ProductId = static_cast<std::uint16_t>(*id);
    } else if (name == "--fail-get" || name == "--fail-set" || name == "--vanish-after") {
      DeviceRequest* device = Last(name, false);
      const auto count = Count(name);
      if (!device || !count) return;
      const int n = static_cast<int>(*count);
      if (name == "--fail-get") device->Faults.FailingGets.insert(n);
      if (name == "--fail-set") device->Faults.FailingSets.insert(n);
      if (name == "--vanish-after") device->Faults.VanishAfter = n;
    } else if (name == "--settings") {
      DeviceRequest* board = Last(name, true);
      const auto text = Value(name);
      if (!board || !text) return;
      const std::optional<SettingsReport> settings = ParseSettings(*text);
      if (!settings) return Fail(name + " needs bytes 2..32 as 62 hex digits");
      board->Settings = *settings;
    } else if (name == "--joystick") {
      if (DeviceRequest* board = Last(name, true)) board->WithJoystick = true;
    } else {
      Fail("unknown option " + name);
    }
  }

  // A count from 1 up; big enough for any test, small enough for an int.
  std::optional<long> Count(const std::string& name) {
    const auto text = Value(name);
    if (!text) return std::nullopt;
    const std::optional<long> value = ParseNumber<long>(*text);
    if (!value || *value < 1 || *value > 1'000'000) {
      Fail(name + " needs a number from 1 up");
      return std::nullopt;
    }
    return value;
  }

  DeviceRequest* Last(const std::string& name, bool boardOnly) {
    if (m_Options.Devices.empty() || (boardOnly && m_Options.Devices.back().Kind != DeviceKind::Board)) {
      Fail(name + (boardOnly ? " needs a --board before it" : " needs a device before it"));
      return nullptr;
    }
    return &m_Options.Devices.back();
  }

  Options m_Options;
};

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) { return Parser(arguments).Run(); }

SettingsReport DefaultSettings() {
  SettingsReport settings{};
  settings[report_offset::BoardId] = 0;
  settings[report_offset::Mode] = SingleAnalog6Axis;
  settings[report_offset::AnalogInputs] = 0x3F;
  settings[report_offset::Reserved] = 0xA5;
  settings[report_offset::JoyMouse] = joy_mouse::Make(true, 8);
  WriteDeadZone(settings, report_offset::JoyMouseDeadZone, DeadZone{0x60, 0xA0, 0x60, 0xA0});
  WriteDeadZone(settings, report_offset::KeyStickDeadZone, DeadZone{0x40, 0xC0, 0x40, 0xC0});
  // Up, Down, Left, Right arrows, then the letters A..N for buttons 1..14.
  constexpr std::uint8_t Arrows[] = {0x52, 0x51, 0x50, 0x4F};
  std::size_t offset = report_offset::KeyStickKeys;
  for (std::uint8_t code : Arrows) settings[offset++] = code;
  for (std::uint8_t code = 0x04; offset < SettingsReportSize; ++code) settings[offset++] = code;
  return settings;
}

}  // namespace qor::virtualboard
