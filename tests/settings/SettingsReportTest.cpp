#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/SettingsReport.h"
#include "tests/support/RowName.h"

namespace qor {
namespace {

struct OffsetCase {
  const char* field;
  std::size_t offset;
  std::size_t expected;
};

void PrintTo(const OffsetCase& row, std::ostream* os) { *os << row.field; }

class ReportLayoutTest : public testing::TestWithParam<OffsetCase> {};

TEST_P(ReportLayoutTest, FieldSitsAtItsByte) { EXPECT_EQ(GetParam().offset, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Fields, ReportLayoutTest,
    testing::Values(OffsetCase{"ReportId", ReportOffset::ReportId, 0}, OffsetCase{"Command", ReportOffset::Command, 1},
                    OffsetCase{"BoardId", ReportOffset::BoardId, 2}, OffsetCase{"Mode", ReportOffset::Mode, 3},
                    OffsetCase{"AnalogInputs", ReportOffset::AnalogInputs, 4},
                    OffsetCase{"Reserved", ReportOffset::Reserved, 5},
                    OffsetCase{"JoyMouse", ReportOffset::JoyMouse, 6},
                    OffsetCase{"JoyMouseDeadZone", ReportOffset::JoyMouseDeadZone, 7},
                    OffsetCase{"KeyStickDeadZone", ReportOffset::KeyStickDeadZone, 11},
                    OffsetCase{"Up", ReportOffset::KeyStickKeys, 15},
                    OffsetCase{"Right", ReportOffset::KeyStickKeys + 3, 18},
                    OffsetCase{"Button1", ReportOffset::KeyStickKeys + 4, 19},
                    OffsetCase{"Button14", ReportOffset::KeyStickKeys + KeyStickKeyCount - 1, 32},
                    OffsetCase{"ReportSize", SettingsReportSize, 33}), test::RowName());

TEST(CommandTest, CommandBytesAreTheBoardsOwn) {
  EXPECT_EQ(CommandStore, 0x00);
  EXPECT_EQ(CommandSelectSettings, 0x01);
  EXPECT_EQ(CommandIdentify, 0xFF);
}

struct ModeCase {
  int value;
  const char* text;  // nullptr: not a mode
};

void PrintTo(const ModeCase& row, std::ostream* os) {
  *os << (row.value < 0 ? "ModeMinus" : "Mode") << std::abs(row.value);
}

class ModeTextTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeTextTest, ModeHasItsListText) {
  const ModeCase& row = GetParam();
  if (row.text == nullptr)
    EXPECT_EQ(ModeListText(row.value), nullptr);
  else
    EXPECT_STREQ(ModeListText(row.value), row.text);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeTextTest,
                         testing::Values(ModeCase{SingleAnalog6Axis, "Single Analog 6-Axis 14 Button Joystick"},
                                         ModeCase{DualAnalog3Axis, "Dual Analog 3-Axis 7-Button Joysticks"},
                                         ModeCase{SingleDigital10Button, "Single Digital 10 Button Joystick"},
                                         ModeCase{Single49Way12Button, "Single 49-way 12 Button Joystick"},
                                         ModeCase{SingleAnalogKeyStick, "Single Analog 2-Axis 14 Button KeyStick"}), test::RowName());

INSTANTIATE_TEST_SUITE_P(NotModes, ModeTextTest,
                         testing::Values(ModeCase{-1, nullptr}, ModeCase{5, nullptr}, ModeCase{9, nullptr},
                                         ModeCase{255, nullptr}), test::RowName());

TEST(ModeTest, ModesAreNumberedInListOrder) {
  EXPECT_EQ(SingleAnalog6Axis, 0);
  EXPECT_EQ(DualAnalog3Axis, 1);
  EXPECT_EQ(SingleDigital10Button, 2);
  EXPECT_EQ(Single49Way12Button, 3);
  EXPECT_EQ(SingleAnalogKeyStick, 4);
}

struct JoyMouseCase {
  const char* name;
  std::uint8_t byte;
  bool enabled;
  int speed;
};

void PrintTo(const JoyMouseCase& row, std::ostream* os) { *os << row.name; }

class JoyMouseByteTest : public testing::TestWithParam<JoyMouseCase> {};

TEST_P(JoyMouseByteTest, ByteSplitsIntoSwitchAndSpeedAndBack) {
  const JoyMouseCase& row = GetParam();
  EXPECT_EQ(JoyMouse::IsEnabled(row.byte), row.enabled);
  EXPECT_EQ(JoyMouse::Speed(row.byte), row.speed);
  EXPECT_EQ(JoyMouse::Make(row.enabled, row.speed), row.byte);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, JoyMouseByteTest,
    testing::Values(JoyMouseCase{"EnabledSpeed5", 0x85, true, 5}, JoyMouseCase{"DisabledSpeed32", 0x20, false, 32},
                    JoyMouseCase{"EnabledSpeed8", 0x88, true, 8}, JoyMouseCase{"EnabledSpeed32", 0xA0, true, 32},
                    JoyMouseCase{"DisabledSpeed1", 0x01, false, 1}), test::RowName());

struct DeadZoneCase {
  const char* name;
  std::size_t offset;
};

void PrintTo(const DeadZoneCase& row, std::ostream* os) { *os << row.name; }

class DeadZoneBytesTest : public testing::TestWithParam<DeadZoneCase> {};

TEST_P(DeadZoneBytesTest, ZoneTakesTopBottomLeftRightFromItsFourBytesOnly) {
  const std::size_t offset = GetParam().offset;
  SettingsReport image{};
  image.fill(0xEE);
  const DeadZone zone{10, 200, 0, 255};

  WriteDeadZone(image, offset, zone);

  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i < offset || i >= offset + 4) {
      EXPECT_EQ(image[i], 0xEE) << "byte " << i << " changed";
    }
  }
  EXPECT_EQ(image[offset], 10);
  EXPECT_EQ(image[offset + 1], 200);
  EXPECT_EQ(image[offset + 2], 0);
  EXPECT_EQ(image[offset + 3], 255);
  EXPECT_EQ(ReadDeadZone(image, offset), zone);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, DeadZoneBytesTest,
    testing::Values(DeadZoneCase{"JoyMouse", 7}, DeadZoneCase{"KeyStick", 11}), test::RowName());

}  // namespace
}  // namespace qor
