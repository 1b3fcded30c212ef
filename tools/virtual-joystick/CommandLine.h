#pragma once
// The command line of qor-virtual-joystick: the axis ranges, the path the
// stick walks, and the pace.

#include <optional>
#include <string>
#include <vector>

#include "tools/common/CommandLine.h"

namespace qor::virtualjoystick {

struct AxisRange {
  int Minimum = 0;
  int Maximum = 1023;
};

// One step of the path: the stick moves to X, Y; the trigger changes only
// where the step names its state.
struct PathStep {
  int X = 0;
  int Y = 0;
  std::optional<bool> Trigger{};
  friend bool operator==(const PathStep&, const PathStep&) = default;
};

struct Options {
  AxisRange X{};
  AxisRange Y{};
  std::vector<PathStep> Path;  // a walk round the ranges when none is given
  int IntervalMs = 250;        // before every step, the first one too
  bool Repeat = false;
  bool Help = false;
};

using ParseResult = tools::ParseResult<Options>;

// `arguments` without the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// "x,y[,trigger];..." -> its steps; nullopt when a step is not two or three
// integers, or the trigger is not 0 or 1.
std::optional<std::vector<PathStep>> ParsePath(const std::string& text);

// A walk round the ranges: centre, then sixteen points on a circle through
// 80 % of each half-range, then centre again.
std::vector<PathStep> DefaultPath(AxisRange x, AxisRange y);

// Where the stick rests when the device appears.
int Centre(AxisRange range);

extern const char* const UsageText;

}  // namespace qor::virtualjoystick
