#include "settings/SettingsReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/RowName.h"

namespace qor {
namespace {

struct OffsetCase {
  const char* Field;
  std::size_t Offset;
  std::size_t Expected;
};

void PrintTo(const OffsetCase& row, std::ostream* os) { *os << row.Field; }

class ReportLayoutTest : public testing::TestWithParam<OffsetCase> {};

TEST_P(ReportLayoutTest, FieldSitsAtItsByte) { EXPECT_EQ(GetParam().Offset, GetParam().Expected); }

INSTANTIATE_TEST_SUITE_P(Fields, ReportLayoutTest,
                         testing::Values(OffsetCase{"ReportId", report_offset::ReportId, 0},
                                         OffsetCase{"Command", report_offset::Command, 1},
                                         OffsetCase{"BoardId", report_offset::BoardId, 2},
                                         OffsetCase{"Mode", report_offset::Mode, 3},
                                         OffsetCase{"AnalogInputs", report_offset::AnalogInputs, 4},
                                         OffsetCase{"Reserved", report_offset::Reserved, 5},
                                         OffsetCase{"JoyMouse", report_offset::JoyMouse, 6},
                                         OffsetCase{"JoyMouseDeadZone", report_offset::JoyMouseDeadZone, 7},
                                         OffsetCase{"KeyStickDeadZone", report_offset::KeyStickDeadZone, 11},
                                         OffsetCase{"Up", report_offset::KeyStickKeys, 15},
                                         OffsetCase{"Right", report_offset::KeyStickKeys + 3, 18},
                                         OffsetCase{"Button1", report_offset::KeyStickKeys + 4, 19},
                                         OffsetCase{"Button14", report_offset::KeyStickKeys + KeyStickKeyCount - 1, 32},
                                         OffsetCase{"ReportSize", SettingsReportSize, 33}),
                         test::RowName());

TEST(CommandTest, CommandBytesAreTheBoardsOwn) {
  EXPECT_EQ(CommandStore, 0x00);
  EXPECT_EQ(CommandSelectSettings, 0x01);
  EXPECT_EQ(CommandIdentify, 0xFF);
}

struct ModeCase {
  int Value;
  const char* Text;  // nullptr: not a mode
};

void PrintTo(const ModeCase& row, std::ostream* os) {
  *os << (row.Value < 0 ? "ModeMinus" : "Mode") << std::abs(row.Value);
}

class ModeTextTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeTextTest, ModeHasItsListText) {
  const ModeCase& row = GetParam();
  if (row.Text == nullptr)
    EXPECT_EQ(ModeListText(row.Value), nullptr);
  else
    EXPECT_STREQ(ModeListText(row.Value), row.Text);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeTextTest,
                         testing::Values(ModeCase{SingleAnalog6Axis, "Single Analog 6-Axis 14 Button Joystick"},
                                         ModeCase{DualAnalog3Axis, "Dual Analog 3-Axis 7-Button Joysticks"},
                                         ModeCase{SingleDigital10Button, "Single Digital 10 Button Joystick"},
                                         ModeCase{Single49Way12Button, "Single 49-way 12 Button Joystick"},
                                         ModeCase{SingleAnalogKeyStick, "Single Analog 2-Axis 14 Button KeyStick"}),
                         test::RowName());

INSTANTIATE_TEST_SUITE_P(NotModes, ModeTextTest,
                         testing::Values(ModeCase{-1, nullptr}, ModeCase{5, nullptr}, ModeCase{9, nullptr},
                                         ModeCase{255, nullptr}),
                         test::RowName());

TEST(ModeTest, ModesAreNumberedInListOrder) {
  EXPECT_EQ(SingleAnalog6Axis, 0);
  EXPECT_EQ(DualAnalog3Axis, 1);
  EXPECT_EQ(SingleDigital10Button, 2);
  EXPECT_EQ(Single49Way12Button, 3);
  EXPECT_EQ(SingleAnalogKeyStick, 4);
}

struct JoyMouseCase {
  const char* Name;
  std::uint8_t Byte;
  bool Enabled;
  int Speed;
};

void PrintTo(const JoyMouseCase& row, std::ostream* os) { *os << row.Name; }

class JoyMouseByteTest : public testing::TestWithParam<JoyMouseCase> {};

TEST_P(JoyMouseByteTest, ByteSplitsIntoSwitchAndSpeedAndBack) {
  const JoyMouseCase& row = GetParam();
  EXPECT_EQ(joy_mouse::IsEnabled(row.Byte), row.Enabled);
  EXPECT_EQ(joy_mouse::Speed(row.Byte), row.Speed);
  EXPECT_EQ(joy_mouse::Make(row.Enabled, row.Speed), row.Byte);
}

INSTANTIATE_TEST_SUITE_P(Bytes, JoyMouseByteTest,
                         testing::Values(JoyMouseCase{"EnabledSpeed5", 0x85, true, 5},
                                         JoyMouseCase{"DisabledSpeed32", 0x20, false, 32},
                                         JoyMouseCase{"EnabledSpeed8", 0x88, true, 8},
                                         JoyMouseCase{"EnabledSpeed32", 0xA0, true, 32},
                                         JoyMouseCase{"DisabledSpeed1", 0x01, false, 1}),
                         test::RowName());

struct DeadZoneCase {
  const char* Name;
  std::size_t Offset;
};

void PrintTo(const DeadZoneCase& row, std::ostream* os) { *os << row.Name; }

class DeadZoneBytesTest : public testing::TestWithParam<DeadZoneCase> {};

TEST_P(DeadZoneBytesTest, ZoneTakesTopBottomLeftRightFromItsFourBytesOnly) {
  const std::size_t offset = GetParam().Offset;
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

INSTANTIATE_TEST_SUITE_P(Zones, DeadZoneBytesTest,
                         testing::Values(DeadZoneCase{"JoyMouse", 7}, DeadZoneCase{"KeyStick", 11}), test::RowName());

}  // namespace
}  // namespace qor
