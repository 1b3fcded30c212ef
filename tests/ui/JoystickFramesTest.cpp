// The joystick reader's rules on recorded events: which devices count as
// joysticks, how axes scale onto 0..255, and which reports a stream of events,
// drops and resyncs included, turns into.

#include "ui/joystick/JoystickFrames.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

namespace qor::joystick {
namespace {

struct ScaleRow {
  std::string Name;
  int Value;
  AxisRange Range;
  int Expected;
};
void PrintTo(const ScaleRow& row, std::ostream* os) { *os << row.Name; }

class ScaleAxisTest : public testing::TestWithParam<ScaleRow> {};

TEST_P(ScaleAxisTest, MapsOntoTheStickScale) {
  const ScaleRow& row = GetParam();
  EXPECT_EQ(ScaleAxis(row.Value, row.Range), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScaleAxisTest,
    testing::Values(ScaleRow{"ByteAxisLow", 0, {0, 255}, 0}, ScaleRow{"ByteAxisMiddle", 127, {0, 255}, 127},
                    ScaleRow{"ByteAxisOdd", 201, {0, 255}, 201}, ScaleRow{"ByteAxisHigh", 255, {0, 255}, 255},
                    ScaleRow{"SignedLow", -32768, {-32768, 32767}, 0}, ScaleRow{"SignedRest", 0, {-32768, 32767}, 127},
                    ScaleRow{"SignedHigh", 32767, {-32768, 32767}, 255}, ScaleRow{"TenBitHigh", 1023, {0, 1023}, 255},
                    ScaleRow{"TenBitMiddle", 512, {0, 1023}, 127}, ScaleRow{"BelowRangeHeld", -5, {0, 255}, 0},
                    ScaleRow{"AboveRangeHeld", 300, {0, 255}, 255}, ScaleRow{"NoTravelIsCentre", 5, {5, 5}, 127},
                    ScaleRow{"WidestRangeLow", INT_MIN, {INT_MIN, INT_MAX}, 0},
                    ScaleRow{"WidestRangeHigh", INT_MAX, {INT_MIN, INT_MAX}, 255}),
    [](const auto& info) { return info.param.Name; });

struct Code {
  unsigned Type;
  unsigned Number;
  bool operator<(const Code& other) const { return Type != other.Type ? Type < other.Type : Number < other.Number; }
};

struct CapabilityRow {
  std::string Name;
  std::set<Code> Codes;
  bool Joystick;
};
void PrintTo(const CapabilityRow& row, std::ostream* os) { *os << row.Name; }

class IsJoystickTest : public testing::TestWithParam<CapabilityRow> {};

TEST_P(IsJoystickTest, DecidesFromCapabilities) {
  const CapabilityRow& row = GetParam();
  EXPECT_EQ(IsJoystick([&](unsigned type, unsigned code) { return row.Codes.count({type, code}) > 0; }), row.Joystick);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IsJoystickTest,
    testing::Values(
        CapabilityRow{"Gamepad", {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_KEY, BTN_SOUTH}}, true},
        CapabilityRow{"Joystick", {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_KEY, BTN_TRIGGER}}, true},
        CapabilityRow{"LastJoystickButton", {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_KEY, BTN_DEAD}}, true},
        CapabilityRow{"LastGamepadButton", {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_KEY, BTN_THUMBR}}, true},
        CapabilityRow{"NoVerticalAxis", {{EV_ABS, ABS_X}, {EV_KEY, BTN_SOUTH}}, false},
        CapabilityRow{"NoButtons", {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_ABS, ABS_Z}}, false},
        CapabilityRow{
            "Touchpad",
            {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_KEY, BTN_LEFT}, {EV_KEY, BTN_TOUCH}, {EV_KEY, BTN_TOOL_FINGER}},
            false},
        CapabilityRow{
            "Tablet", {{EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_KEY, BTN_TOOL_PEN}, {EV_KEY, BTN_STYLUS}}, false},
        CapabilityRow{"Mouse", {{EV_REL, REL_X}, {EV_REL, REL_Y}, {EV_KEY, BTN_LEFT}}, false},
        CapabilityRow{"Keyboard", {{EV_KEY, KEY_A}, {EV_KEY, KEY_ENTER}}, false}),
    [](const auto& info) { return info.param.Name; });

// One step of a recorded device: what the read returns, and whether the
// reader should be asking for resync events at that point.
struct Step {
  NextStatus Status;
  InputEvent Event;
  bool Resync;
};

Step Ev(std::uint16_t type, std::uint16_t code, std::int32_t value, bool resync = false) {
  return {NextStatus::Event, {type, code, value}, resync};
}
Step X(int value, bool resync = false) { return Ev(EV_ABS, ABS_X, value, resync); }
Step Y(int value, bool resync = false) { return Ev(EV_ABS, ABS_Y, value, resync); }
Step Syn(bool resync = false) { return Ev(EV_SYN, SYN_REPORT, 0, resync); }
Step Dropped() { return {NextStatus::Dropped, {EV_SYN, SYN_DROPPED, 0}, false}; }
Step Empty(bool resync = false) { return {NextStatus::Empty, {}, resync}; }
Step Failed(bool resync = false) { return {NextStatus::Failed, {}, resync}; }

struct RecordingRow {
  std::string Name;
  AxisRange Range;
  int InitialX;
  int InitialY;
  std::vector<Step> Steps;
  std::vector<JoystickReport> Reports;
  bool Alive;
};

void PrintTo(const RecordingRow& row, std::ostream* os) { *os << row.Name; }

class DrainEventsTest : public testing::TestWithParam<RecordingRow> {};

TEST_P(DrainEventsTest, TurnsFramesIntoReports) {
  const RecordingRow& row = GetParam();
  JoystickFrames frames(row.Range, row.Range, row.InitialX, row.InitialY);
  std::size_t next = 0;
  std::vector<JoystickReport> reports;
  const bool alive = DrainEvents(
      [&](bool resync, InputEvent& event) {
        if (next == row.Steps.size()) {
          ADD_FAILURE() << "read past the recording";
          return NextStatus::Failed;
        }
        const Step& step = row.Steps[next++];
        EXPECT_EQ(resync, step.Resync) << "read " << next;
        event = step.Event;
        return step.Status;
      },
      frames, [&](const JoystickReport& report) { reports.push_back(report); });
  EXPECT_EQ(next, row.Steps.size());
  EXPECT_EQ(reports, row.Reports);
  EXPECT_EQ(alive, row.Alive);
}

constexpr AxisRange Byte{0, 255};
constexpr AxisRange Signed{-32768, 32767};

INSTANTIATE_TEST_SUITE_P(
    Rows, DrainEventsTest,
    testing::Values(
        RecordingRow{"NothingPending", Byte, 127, 127, {Empty()}, {}, true},
        RecordingRow{"OneFrame", Byte, 127, 127, {X(10), Y(20), Syn(), Empty()}, {{0, 10, 20}}, true},
        RecordingRow{"OpenFrameGivesNothing", Byte, 127, 127, {X(10), Y(20), Empty()}, {}, true},
        RecordingRow{"ButtonFrameRepeatsPosition",
                     Byte,
                     30,
                     40,
                     {Ev(EV_KEY, BTN_SOUTH, 1), Syn(), Empty()},
                     {{0, 30, 40}},
                     true},
        RecordingRow{"OnlyYChanges", Byte, 30, 40, {Y(41), Syn(), Empty()}, {{0, 30, 41}}, true},
        RecordingRow{"OtherAxesIgnored",
                     Byte,
                     30,
                     40,
                     {Ev(EV_ABS, ABS_RX, 200), Ev(EV_ABS, ABS_HAT0X, 1), Syn(), Empty()},
                     {{0, 30, 40}},
                     true},
        RecordingRow{"EachFrameOneReport",
                     Byte,
                     127,
                     127,
                     {X(1), Syn(), X(2), Syn(), Y(3), Syn(), Empty()},
                     {{0, 1, 127}, {0, 2, 127}, {0, 2, 3}},
                     true},
        RecordingRow{"SignedAxesScaled",
                     Signed,
                     0,
                     0,
                     {Syn(), X(32767), Y(-32768), Syn(), Empty()},
                     {{0, 127, 127}, {0, 255, 0}},
                     true},
        RecordingRow{
            "DropThenResync",
            Byte,
            127,
            127,
            {X(50), Syn(), X(60), Dropped(), X(70, true), Y(80, true), Syn(true), Empty(true), X(90), Syn(), Empty()},
            {{0, 50, 127}, {0, 70, 80}, {0, 90, 80}},
            true},
        RecordingRow{
            "ResyncWithoutChange", Byte, 5, 6, {Dropped(), Syn(true), Empty(true), Empty()}, {{0, 5, 6}}, true},
        RecordingRow{"GoneMidFrame", Byte, 127, 127, {X(5), Failed()}, {}, false},
        RecordingRow{"GoneAfterFrames", Byte, 127, 127, {X(5), Syn(), Failed()}, {{0, 5, 127}}, false},
        RecordingRow{"GoneDuringResync", Byte, 127, 127, {Dropped(), X(9, true), Failed(true)}, {}, false}),
    [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace qor::joystick
