#include "cli/SettingEdits.h"

#include <gtest/gtest.h>

#include <utility>

namespace qor::cli {
namespace {

using Args = std::vector<std::string>;
using Changes = std::vector<std::pair<std::size_t, std::uint8_t>>;

// A board image with a distinct value in every byte.
SettingsReport BoardImage(std::uint8_t joyMouse = 0x85, std::uint8_t analog = 0xC1) {
  SettingsReport image{};
  for (std::size_t i = 2; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x20 + i);
  image[report_offset::AnalogInputs] = analog;
  image[report_offset::JoyMouse] = joyMouse;
  return image;
}

SettingEdits Parsed(const Args& assignments) {
  auto result = ParseSettingEdits(assignments);
  if (auto* error = std::get_if<UsageError>(&result)) ADD_FAILURE() << error->Message;
  return std::get_if<SettingEdits>(&result) ? std::get<SettingEdits>(result) : SettingEdits{};
}

struct Edit {
  const char* Name;
  Args Assignments;
  Changes Expected;  // the only bytes that change
  SettingsReport Before = BoardImage();
};

class AcceptedEdits : public testing::TestWithParam<Edit> {};

TEST_P(AcceptedEdits, ChangeOnlyTheNamedBytes) {
  SettingsReport image = GetParam().Before;
  SettingsReport expected = image;
  for (const auto& [offset, value] : GetParam().Expected) expected[offset] = value;
  ApplySettingEdits(Parsed(GetParam().Assignments), image);
  EXPECT_EQ(image, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AcceptedEdits,
    testing::Values(
        Edit{"ModeByNumber", {"mode=4"}, {{report_offset::Mode, 4}}},
        Edit{"ModeByListText", {"mode=Dual Analog 3-Axis 7-Button Joysticks"}, {{report_offset::Mode, 1}}},
        Edit{"ModeByListTextInAnotherCase", {"mode=single digital 10 button joystick"}, {{report_offset::Mode, 2}}},
        Edit{"ModeByAWordOnlyItHas", {"mode=keystick"}, {{report_offset::Mode, 4}}},
        Edit{"ModeByDual", {"mode=Dual"}, {{report_offset::Mode, 1}}},
        Edit{"ModeBy49Way", {"mode=49-WAY"}, {{report_offset::Mode, 3}}},
        Edit{"SettingNameInAnotherCase",
             {"Key.Up=F2", "JOYMOUSE=On"},
             {{report_offset::KeyStickKeys, 0x3B}, {report_offset::JoyMouse, 0x85}}},
        Edit{"KeyNameInAnotherCase", {"key.up=space", "key.down=u arrow"}, {{15, 0x2C}, {16, 0x52}}},
        Edit{"BoardIdAsShown", {"board-id=4"}, {{report_offset::BoardId, 3}}},
        Edit{"AnalogList", {"analog=1,3,4,6"}, {{report_offset::AnalogInputs, 0x2D}}},
        Edit{"AnalogRepeatedInput", {"analog=4,4"}, {{report_offset::AnalogInputs, 0x08}}},
        Edit{"AnalogNoneClearsBits6And7", {"analog=none"}, {{report_offset::AnalogInputs, 0x00}}},
        Edit{"AnalogAll", {"analog=all"}, {{report_offset::AnalogInputs, 0x3F}}},
        Edit{"AnalogMask", {"analog=0x20"}, {{report_offset::AnalogInputs, 0x20}}},
        Edit{"JoyMouseOffKeepsSpeed", {"joymouse=off"}, {{report_offset::JoyMouse, 0x05}}},
        Edit{"JoyMouseOnKeepsSpeed", {"joymouse=on"}, {{report_offset::JoyMouse, 0x85}}, BoardImage(0x05)},
        Edit{"SpeedKeepsEnabled", {"joymouse-speed=32"}, {{report_offset::JoyMouse, 0xA0}}},
        Edit{"SpeedAndEnabledTogether",
             {"joymouse=on", "joymouse-speed=8"},
             {{report_offset::JoyMouse, 0x88}},
             BoardImage(0x00)},
        // The JoyMouse dialog's slider holds a stored speed within 1..32.
        Edit{"OnWithSpeed0BecomesSpeed1", {"joymouse=on"}, {{report_offset::JoyMouse, 0x81}}, BoardImage(0x00)},
        Edit{"OffWithSpeed127BecomesSpeed32", {"joymouse=off"}, {{report_offset::JoyMouse, 0x20}}, BoardImage(0xFF)},
        Edit{"JoyMouseZone",
             {"joymouse-zone=100,150,90,160"},
             {{report_offset::JoyMouseDeadZone, 100}, {8, 150}, {9, 90}, {10, 160}}},
        Edit{"KeyStickZoneExtremes",
             {"keystick-zone=0,255,254,255"},
             {{report_offset::KeyStickDeadZone, 0}, {12, 255}, {13, 254}, {14, 255}}},
        Edit{"KeyUp", {"key.up=F1"}, {{report_offset::KeyStickKeys, 0x3A}}},
        Edit{"KeyNameWithBlank", {"key.right=KP ENTER"}, {{18, 0x58}}},
        Edit{"KeyNameEquals", {"key.button1=="}, {{19, 0x2E}}},
        Edit{"KeyButton14", {"key.button14=R SHIFT"}, {{32, 0xE5}}},
        Edit{"Several",
             {"mode=0", "key.down=SPACE", "board-id=1"},
             {{report_offset::Mode, 0}, {16, 0x2C}, {report_offset::BoardId, 0}}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct Refusal {
  const char* Name;
  Args Assignments;
  const char* Message;  // a part of it; the dialogs' texts in full
};

class RefusedEdits : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedEdits, AreUsageErrors) {
  const auto result = ParseSettingEdits(GetParam().Assignments);
  ASSERT_TRUE(std::holds_alternative<UsageError>(result));
  EXPECT_NE(std::get<UsageError>(result).Message.find(GetParam().Message), std::string::npos)
      << std::get<UsageError>(result).Message;
}

constexpr const char* TopBottom = "Please check Dead Zone settings. Bottom must be greater number than Top.";
constexpr const char* LeftRight = "Please check Dead Zone settings. Right must be greater number than Left.";

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedEdits,
    testing::Values(
        Refusal{"NoEquals", {"mode"}, "\"mode\" is not KEY=VALUE"}, Refusal{"NoKey", {"=4"}, "is not KEY=VALUE"},
        Refusal{"UnknownSetting", {"speed=3"}, "unknown setting \"speed\"; settings: mode, board-id"},
        Refusal{"GivenTwice", {"mode=1", "mode=2"}, "mode is given twice"},
        Refusal{"Mode5", {"mode=5"}, "\"5\" is not a value for mode"},
        Refusal{"ModeWordOfSeveralModes", {"mode=single"}, "\"single\" is not a value for mode"},
        Refusal{"GivenTwiceInTwoCases", {"mode=1", "MODE=2"}, "mode is given twice"},
        Refusal{"SettingSuggested", {"joymose=on"}, "unknown setting \"joymose\"; did you mean \"joymouse\"?"},
        Refusal{"BoardId0", {"board-id=0"}, "a number 1..4"}, Refusal{"BoardId5", {"board-id=5"}, "a number 1..4"},
        Refusal{"AnalogInput7", {"analog=1,7"}, "not a value for analog"},
        Refusal{"AnalogEmptyItem", {"analog=1,,2"}, "not a value for analog"},
        Refusal{"AnalogMaskBit6", {"analog=0x40"}, "not a value for analog"},
        Refusal{"JoyMouseYes", {"joymouse=yes"}, "on or off"},
        Refusal{"Speed0", {"joymouse-speed=0"}, "a number 1..32"},
        Refusal{"Speed33", {"joymouse-speed=33"}, "a number 1..32"},
        Refusal{"SpeedNegative", {"joymouse-speed=-1"}, "a number 1..32"},
        Refusal{"ZoneThreeNumbers", {"joymouse-zone=1,2,3"}, "four numbers 0..255"},
        Refusal{"ZoneFiveNumbers", {"keystick-zone=1,2,3,4,5"}, "four numbers 0..255"},
        Refusal{"Zone256", {"keystick-zone=0,256,0,1"}, "four numbers 0..255"},
        Refusal{"TopEqualsBottom", {"joymouse-zone=128,128,0,1"}, TopBottom},
        Refusal{"LeftAboveRight", {"keystick-zone=127,128,200,100"}, LeftRight},
        Refusal{"BothWrongShowsTopBottom", {"keystick-zone=5,5,9,9"}, TopBottom},
        Refusal{"UnknownInput", {"key.button15=F1"}, "unknown setting \"key.button15\""},
        Refusal{"KeyNameSuggested", {"key.up=spce"}, "\"spce\" is not a key name for key.up; did you mean \"SPACE\"?"},
        Refusal{"KeyNamePointsToTheList", {"key.up=SPC"}, "; qorctl keys lists the key names"},
        Refusal{"KeyNameHex", {"key.up=0x2c"}, "not a key name"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SettingEdits, DeadZoneMessagesAreTheDialogsTextsExactly) {
  const auto result = ParseSettingEdits({"joymouse-zone=9,8,1,2"});
  ASSERT_TRUE(std::holds_alternative<UsageError>(result));
  EXPECT_EQ(std::get<UsageError>(result).Message, TopBottom);
}

}  // namespace
}  // namespace qor::cli
