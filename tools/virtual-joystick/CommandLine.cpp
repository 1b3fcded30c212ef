#include "tools/virtual-joystick/CommandLine.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace qor::virtualjoystick {

const char* const UsageText =
    "Usage: qor-virtual-joystick [OPTION]...\n"
    "Puts a virtual joystick (absolute X and Y, a trigger button) on this machine\n"
    "through /dev/uinput and moves its stick along a path, one step per interval,\n"
    "until stopped with Ctrl+C or SIGTERM. Needs root (or access to /dev/uinput)\n"
    "and the uinput module. Prints \"device /dev/input/eventN\" and \"ready\" once\n"
    "the joystick exists, \"move X Y\" after each step, and \"done\" at the end of\n"
    "a path that does not repeat; the stick then stays where the path ended.\n"
    "\n"
    "Options:\n"
    "  --range MIN..MAX    the range of both axes (default 0..1023)\n"
    "  --x-range MIN..MAX  the range of the X axis alone\n"
    "  --y-range MIN..MAX  the range of the Y axis alone\n"
    "  --path STEPS        the steps, \"X,Y;X,Y;...\", each within the ranges; a\n"
    "                      third field 1 or 0 presses or releases the trigger\n"
    "                      (default: a circle round the centre)\n"
    "  --interval MS       the pause before each step (default 250)\n"
    "  --repeat            walk the path again and again\n"
    "  --help              print this text\n"
    "\n"
    "The stick rests at the centre of its ranges before the first step; a step\n"
    "that changes nothing sends nothing.\n"
    "\n"
    "Example: qor-virtual-joystick --range -32768..32767 --repeat \\\n"
    "             --path \"0,0;-32768,-32768;32767,32767,1\"\n";

namespace {

using tools::ParseNumber;

std::optional<AxisRange> ParseRange(std::string_view text) {
  const auto dots = text.find("..");
  if (dots == std::string_view::npos) return std::nullopt;
  const auto minimum = ParseNumber<int>(text.substr(0, dots));
  const auto maximum = ParseNumber<int>(text.substr(dots + 2));
  if (!minimum || !maximum || *minimum >= *maximum) return std::nullopt;
  return AxisRange{*minimum, *maximum};
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

bool Within(int value, AxisRange range) { return value >= range.Minimum && value <= range.Maximum; }

class Parser : tools::ArgumentReader {
 public:
  using ArgumentReader::ArgumentReader;

  ParseResult Run() {
    std::optional<std::vector<PathStep>> path;
    while (const auto next = NextOption()) {
      const std::string& name = *next;
      if (name == "--help") {
        m_Options.Help = true;
      } else if (name == "--repeat") {
        m_Options.Repeat = true;
      } else if (name == "--range" || name == "--x-range" || name == "--y-range") {
        const auto text = Value(name);
        const auto range = text ? ParseRange(*text) : std::nullopt;
        if (text && !range) Fail(name + " needs MIN..MAX with MIN below MAX");
        if (range && name != "--y-range") m_Options.X = *range;
        if (range && name != "--x-range") m_Options.Y = *range;
      } else if (name == "--path") {
        const auto text = Value(name);
        if (text && !(path = ParsePath(*text)))
          Fail(name + " needs steps \"X,Y;X,Y;...\", each with an optional 1 or 0");
      } else if (name == "--interval") {
        const auto text = Value(name);
        const auto value = text ? ParseNumber<int>(*text) : std::nullopt;
        if (text && (!value || *value < 0 || *value > 3'600'000)) Fail(name + " needs milliseconds from 0 up");
        if (value) m_Options.IntervalMs = *value;
      } else {
        Fail("unknown option " + name);
      }
    }
    // The ranges may come after the path, so the steps are checked at the end.
    if (path) {
      for (const PathStep& step : *path) {
        if (!Within(step.X, m_Options.X) || !Within(step.Y, m_Options.Y))
          Fail("step " + std::to_string(step.X) + "," + std::to_string(step.Y) + " lies outside the axis ranges");
      }
    }
    if (!Error().empty()) return {std::nullopt, Error()};
    m_Options.Path = path ? *path : DefaultPath(m_Options.X, m_Options.Y);
    return {m_Options, {}};
  }

 private:
  Options m_Options;
};

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) { return Parser(arguments).Run(); }

std::optional<std::vector<PathStep>> ParsePath(const std::string& text) {
  std::vector<PathStep> steps;
  for (std::string_view part : Split(text, ';')) {
    const std::vector<std::string_view> fields = Split(part, ',');
    if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
    const auto x = ParseNumber<int>(fields[0]);
    const auto y = ParseNumber<int>(fields[1]);
    if (!x || !y) return std::nullopt;
    PathStep step{*x, *y};
    if (fields.size() == 3) {
      if (fields[2] != "0" && fields[2] != "1") return std::nullopt;
      step.Trigger = fields[2] == "1";
    }
    steps.push_back(step);
  }
  return steps;
}

int Centre(AxisRange range) { return static_cast<int>((static_cast<long long>(range.Minimum) + range.Maximum) / 2); }

std::vector<PathStep> DefaultPath(AxisRange x, AxisRange y) {
  constexpr int Points = 16;
  const auto around = [](AxisRange range, double unit) {
    const double half = (static_cast<double>(range.Maximum) - range.Minimum) / 2;
    return static_cast<int>(std::lround(Centre(range) + 0.8 * half * unit));
  };
  std::vector<PathStep> path{{Centre(x), Centre(y)}};
  for (int i = 0; i <= Points; ++i) {
    const double angle = 2 * std::numbers::pi * i / Points;
    path.push_back({around(x, std::cos(angle)), around(y, std::sin(angle))});
  }
  path.push_back({Centre(x), Centre(y)});
  return path;
}

}  // namespace qor::virtualjoystick
