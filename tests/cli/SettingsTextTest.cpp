#include "cli/SettingsText.h"

#include <gtest/gtest.h>

#include <functional>

#include "JsonCheck.h"
#include "cli/Text.h"

namespace qor::cli {
namespace {

// Board ID 2, KeyStick mode, inputs 1 and 3, JoyMouse on at speed 5, valid
// zones, and the keys F1, F2, ... in order.
SettingsReport Typical() {
  SettingsReport image{};
  image[report_offset::BoardId] = 1;
  image[report_offset::Mode] = SingleAnalogKeyStick;
  image[report_offset::AnalogInputs] = 0x05;
  image[report_offset::JoyMouse] = 0x85;
  WriteDeadZone(image, report_offset::JoyMouseDeadZone, {100, 150, 90, 160});
  WriteDeadZone(image, report_offset::KeyStickDeadZone, {10, 20, 30, 40});
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i) image[report_offset::KeyStickKeys + i] = 0x3A + i;
  return image;
}

std::string Text(const SettingsReport& image) { return SettingsAsText({1, "QOR Test"}, image); }
std::string Json(const SettingsReport& image) { return SettingsAsJson({1, "QOR Test"}, image); }

TEST(SettingsText, ShowsEverySettingByName) {
  EXPECT_EQ(Text(Typical()),
            "Board:               1: QOR Test\n"
            "Board ID:            2\n"
            "Mode:                Single Analog 2-Axis 14 Button KeyStick\n"
            "Analog inputs:       1, 3\n"
            "JoyMouse:            enabled\n"
            "JoyMouse speed:      5\n"
            "JoyMouse dead zone:  Top 100, Bottom 150, Left 90, Right 160\n"
            "KeyStick dead zone:  Top 10, Bottom 20, Left 30, Right 40\n"
            "KeyStick keys:\n"
            "  Up          F1\n  Down        F2\n  Left        F3\n  Right       F4\n"
            "  Button 1    F5\n  Button 2    F6\n  Button 3    F7\n  Button 4    F8\n"
            "  Button 5    F9\n  Button 6    F10\n  Button 7    F11\n  Button 8    F12\n"
            "  Button 9    PRNTSCRN\n  Button 10   SCROLL\n  Button 11   0x48 (not in the key table)\n"
            "  Button 12   INSERT\n  Button 13   HOME\n  Button 14   PGUP\n");
}

// Values the window's lists and dialogs would not offer are shown as they are.
struct Oddity {
  const char* Name;
  std::function<void(SettingsReport&)> Change;
  const char* TextLine;  // a part of the text
  const char* JsonPart;  // a part of the JSON
};

class OddValues : public testing::TestWithParam<Oddity> {};

TEST_P(OddValues, AreShownNotHidden) {
  SettingsReport image = Typical();
  GetParam().Change(image);
  EXPECT_NE(Text(image).find(GetParam().TextLine), std::string::npos) << Text(image);
  EXPECT_NE(Json(image).find(GetParam().JsonPart), std::string::npos) << Json(image);
  EXPECT_TRUE(test::JsonObjectKeys(Json(image))) << Json(image);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OddValues,
    testing::Values(
        Oddity{"BoardId7", [](auto& i) { i[report_offset::BoardId] = 7; },
               "Board ID:            raw value 7 (out of range)",
               "\"board_id\": {\"raw\": 7, \"value\": null, \"in_range\": false}"},
        Oddity{"BoardId3IsShownAs4", [](auto& i) { i[report_offset::BoardId] = 3; }, "Board ID:            4\n",
               "\"value\": 4, \"in_range\": true"},
        Oddity{"Mode9", [](auto& i) { i[report_offset::Mode] = 9; }, "Mode:                9 (unknown)",
               "\"mode\": {\"raw\": 9, \"name\": null, \"known\": false}"},
        Oddity{"Mode255", [](auto& i) { i[report_offset::Mode] = 255; }, "255 (unknown)", "\"raw\": 255"},
        Oddity{"AnalogBits6And7", [](auto& i) { i[report_offset::AnalogInputs] = 0xC1; },
               "Analog inputs:       1 (also set: bit 6, bit 7)", "\"connected\": [1], \"other_bits\": [6, 7]"},
        Oddity{"AnalogNone", [](auto& i) { i[report_offset::AnalogInputs] = 0; }, "Analog inputs:       none\n",
               "\"connected\": [], \"other_bits\": []"},
        Oddity{"Speed0", [](auto& i) { i[report_offset::JoyMouse] = 0x00; },
               "JoyMouse speed:      0 (out of range 1..32)",
               "\"enabled\": false, \"speed\": 0, \"speed_in_range\": false"},
        Oddity{"Speed127", [](auto& i) { i[report_offset::JoyMouse] = 0xFF; }, "127 (out of range 1..32)",
               "\"enabled\": true, \"speed\": 127"},
        Oddity{"Speed32Disabled", [](auto& i) { i[report_offset::JoyMouse] = 0x20; }, "JoyMouse:            disabled",
               "\"speed\": 32, \"speed_in_range\": true"},
        Oddity{"ZoneAllZero", [](auto& i) { WriteDeadZone(i, report_offset::KeyStickDeadZone, {}); },
               "Top 0, Bottom 0, Left 0, Right 0 (Top not below Bottom) (Left not below Right)",
               "\"keystick_dead_zone\": {\"top\": 0, \"bottom\": 0, \"left\": 0, \"right\": 0, \"valid\": false}"},
        Oddity{"KeyCode0", [](auto& i) { i[report_offset::KeyStickKeys] = 0; },
               "  Up          0x00 (not in the key table)", "\"up\": {\"code\": 0, \"name\": null}"},
        Oddity{"KeyCodeFF", [](auto& i) { i[32] = 0xFF; }, "Button 14   0xff (not in the key table)",
               "\"button14\": {\"code\": 255, \"name\": null}"},
        Oddity{"KeyBackslash", [](auto& i) { i[19] = 0x31; }, "Button 1    \\\n",
               "{\"code\": 49, \"name\": \"\\\\\"}"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SettingsJson, IsOneObjectWithEverySetting) {
  const auto keys = test::JsonObjectKeys(Json(Typical()));
  ASSERT_TRUE(keys) << Json(Typical());
  EXPECT_EQ(*keys, (std::set<std::string>{"board", "identification", "board_id", "mode", "analog_inputs", "joymouse",
                                          "joymouse_dead_zone", "keystick_dead_zone", "keys", "report"}));
  EXPECT_NE(Json(Typical()).find("\"report\": \"00 00 01 04 05 00 85 64 96 5a a0 0a 14 1e 28 3a"), std::string::npos);
}

TEST(SettingsJson, EscapesAnyIdentificationText) {
  const std::string text = SettingsAsJson({2, std::string("a\"b\\c\x01\x1b\xe9", 8)}, Typical());
  EXPECT_TRUE(test::JsonObjectKeys(text)) << text;
  EXPECT_NE(text.find("\"identification\": \"a\\\"b\\\\c\\u0001\\u001b\xc3\xa9\""), std::string::npos) << text;
}

struct PrintableCase {
  const char* Name;
  std::string Raw;
  Encoding From;
  std::string Shown;
};

class PrintableTexts : public testing::TestWithParam<PrintableCase> {};

TEST_P(PrintableTexts, CannotDriveTheTerminal) {
  EXPECT_EQ(Printable(GetParam().Raw, GetParam().From), GetParam().Shown);
}

constexpr Encoding Latin1 = Encoding::Latin1;
constexpr Encoding Utf8 = Encoding::Utf8;

INSTANTIATE_TEST_SUITE_P(Rows, PrintableTexts,
                         testing::Values(PrintableCase{"Plain", "QOR Board v2", Latin1, "QOR Board v2"},
                                         PrintableCase{"Escape", "\x1b[2J", Latin1, "\\x1b[2J"},
                                         PrintableCase{"NewlineAndDelete", "a\nb\x7f", Utf8, "a\\x0ab\\x7f"},
                                         PrintableCase{"C1ControlOfABoard", "\x9b", Latin1, "\\x9b"},
                                         // A literal "\x1b" must not read like the ESC above.
                                         PrintableCase{"Backslash", "\\x1b", Utf8, "\\\\x1b"},
                                         PrintableCase{"Latin1", "\xe9t\xe9", Latin1, "\xc3\xa9t\xc3\xa9"},
                                         // A file name's or the command line's bytes are the system's: UTF-8 is
                                         // never converted again, and what is not UTF-8 is shown byte by byte.
                                         PrintableCase{"Utf8Kept", "caf\xc3\xa9.qos", Utf8, "caf\xc3\xa9.qos"},
                                         PrintableCase{"C1ControlInUtf8",
                                                       "\xc2\x9b"
                                                       "2J",
                                                       Utf8,
                                                       "\\xc2\\x9b"
                                                       "2J"},
                                         PrintableCase{"LoneC1Byte",
                                                       "\x9b"
                                                       "2J",
                                                       Utf8,
                                                       "\\x9b"
                                                       "2J"},
                                         PrintableCase{"NotUtf8", "\xe9t\xe9", Utf8, "\\xe9t\\xe9"},
                                         PrintableCase{"CutSequence", "a\xc3", Utf8, "a\\xc3"}),
                         [](const auto& info) { return std::string(info.param.Name); });

// JSON escapes the controls too, C1 ones included, and stays valid JSON.
TEST(FileNames, InJsonKeepUtf8AndEscapeControls) {
  EXPECT_EQ(JsonFileName("caf\xc3\xa9\x1b\".qos"), "\"caf\xc3\xa9\\u001b\\\".qos\"");
  EXPECT_EQ(JsonFileName("a\xc2\x9b"), "\"a\\u009b\"");
  // Not UTF-8 (a Latin-1 name, a surrogate): read as Latin-1, so the JSON stays valid.
  EXPECT_EQ(JsonFileName("caf\xe9.qos"), "\"caf\xc3\xa9.qos\"");
  EXPECT_EQ(JsonFileName("\xed\xa0\x80"), "\"\xc3\xad\xc2\xa0\\u0080\"");
}

TEST(ListEntry, IsNumberColonText) {
  EXPECT_EQ(ListEntry({1, "ABC"}), "1: ABC");
  EXPECT_EQ(ListEntry({10, ""}), "10: ");
}

}  // namespace
}  // namespace qor::cli
