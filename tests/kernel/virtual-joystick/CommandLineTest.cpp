#include "tools/virtual-joystick/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/kernel/CommandLineCase.h"

namespace qor::virtualjoystick {
namespace {

// "x MIN..MAX y MIN..MAX every MS [repeat] path X,Y[,T];..."
std::string Describe(const Options& options) {
  std::ostringstream text;
  text << "x " << options.X.Minimum << ".." << options.X.Maximum << " y " << options.Y.Minimum << ".."
       << options.Y.Maximum << " every " << options.IntervalMs << (options.Repeat ? " repeat" : "") << " path ";
  for (std::size_t i = 0; i < options.Path.size(); ++i) {
    const PathStep& step = options.Path[i];
    text << (i ? ";" : "") << step.X << ',' << step.Y;
    if (step.Trigger) text << ',' << *step.Trigger;
  }
  return text.str();
}

using Line = test::CommandLineCase;

class CommandLineTest : public testing::TestWithParam<Line> {};

TEST_P(CommandLineTest, Parses) {
  EXPECT_EQ(test::Shown(ParseCommandLine(GetParam().Arguments), Describe), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(
        Line{"PathWithTrigger",
             {"--path", "0,0;1023,512,1;5,6,0"},
             "x 0..1023 y 0..1023 every 250 path 0,0;1023,512,1;5,6,0"},
        Line{"SignedRangesAfterThePath",
             {"--path", "-32768,32767", "--range", "-32768..32767", "--interval", "0", "--repeat"},
             "x -32768..32767 y -32768..32767 every 0 repeat path -32768,32767"},
        Line{"OneAxisAlone",
             {"--range", "0..255", "--y-range", "-5..-1", "--path", "255,-5"},
             "x 0..255 y -5..-1 every 250 path 255,-5"},
        Line{"StepOutsideTheRange",
             {"--range", "0..255", "--path", "0,0;256,0"},
             "error: step 256,0 lies outside the axis ranges"},
        Line{"StepBelowTheOtherAxis",
             {"--x-range", "-10..10", "--path", "-10,-1"},
             "error: step -10,-1 lies outside the axis ranges"},
        Line{"EmptyRange", {"--range", "5..5"}, "error: --range needs MIN..MAX with MIN below MAX"},
        Line{"RangeWithoutDots", {"--x-range", "0-255"}, "error: --x-range needs MIN..MAX with MIN below MAX"},
        Line{"RangeBeyondInt", {"--range", "0..4294967296"}, "error: --range needs MIN..MAX with MIN below MAX"},
        Line{"NegativeInterval", {"--interval", "-1"}, "error: --interval needs milliseconds from 0 up"},
        Line{"MissingValue", {"--path"}, "error: --path needs a value"},
        Line{"UnknownOption", {"--x", "1"}, "error: unknown option --x"}),
    test::CaseName);

struct PathText {
  const char* Name;
  const char* Text;
  bool Valid;
};
void PrintTo(const PathText& row, std::ostream* out) { *out << row.Name; }

class PathTextTest : public testing::TestWithParam<PathText> {};

TEST_P(PathTextTest, TakesOnlyWholeSteps) { EXPECT_EQ(ParsePath(GetParam().Text).has_value(), GetParam().Valid); }

INSTANTIATE_TEST_SUITE_P(Texts, PathTextTest,
                         testing::Values(PathText{"OneStep", "1,2", true}, PathText{"Empty", "", false},
                                         PathText{"OneNumber", "1", false}, PathText{"FourFields", "1,2,1,1", false},
                                         PathText{"TrailingSemicolon", "1,2;", false},
                                         PathText{"TriggerTwo", "1,2,2", false}, PathText{"Blank", "1, 2", false},
                                         PathText{"PlusSign", "+1,2", false}, PathText{"Letters", "a,b", false}),
                         [](const testing::TestParamInfo<PathText>& info) { return std::string(info.param.Name); });

// The default walk: from the centre round a circle inside the ranges and back.
TEST(DefaultPathTest, CirclesInsideTheRangesFromTheCentreBack) {
  struct Row {
    AxisRange X, Y;
    PathStep Centre, East, South;  // the circle starts east and turns to +Y first
  };
  const std::vector<Row> rows = {
      {{0, 1023}, {0, 1023}, {511, 511}, {920, 511}, {511, 920}},
      {{-32768, 32767}, {0, 255}, {0, 127}, {26214, 127}, {0, 229}},
  };
  for (const Row& row : rows) {
    const std::vector<PathStep> path = DefaultPath(row.X, row.Y);
    ASSERT_EQ(path.size(), 19u);
    EXPECT_EQ(path.front(), row.Centre);
    EXPECT_EQ(path.back(), row.Centre);
    EXPECT_EQ(path[1], row.East);
    EXPECT_EQ(path[5], row.South);
    EXPECT_EQ(path[17], row.East);
    for (const PathStep& step : path) {
      EXPECT_TRUE(step.X >= row.X.Minimum && step.X <= row.X.Maximum);
      EXPECT_TRUE(step.Y >= row.Y.Minimum && step.Y <= row.Y.Maximum);
    }
  }
}

}  // namespace
}  // namespace qor::virtualjoystick
