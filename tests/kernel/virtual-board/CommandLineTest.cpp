#include "tools/virtual-board/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/kernel/CommandLineCase.h"

namespace qor::virtualboard {
namespace {

// One device per line: "kind VID:PID text [joystick] [gets a,b] [sets a] [vanish n]".
std::string Describe(const Options& options) {
  std::ostringstream text;
  for (const DeviceRequest& device : options.Devices) {
    static const char* const Kinds[] = {"board", "other-vendor", "wide-report", "joystick"};
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04X:%04X", device.VendorId, device.ProductId);
    text << Kinds[static_cast<int>(device.Kind)] << ' ' << ids;
    if (!device.Identification.empty()) text << " \"" << device.Identification << '"';
    if (device.WithJoystick) text << " joystick";
    if (!device.Faults.FailingGets.empty()) {
      text << " gets";
      for (int n : device.Faults.FailingGets) text << ' ' << n;
    }
    if (!device.Faults.FailingSets.empty()) {
      text << " sets";
      for (int n : device.Faults.FailingSets) text << ' ' << n;
    }
    if (device.Faults.VanishAfter) text << " vanish " << *device.Faults.VanishAfter;
    text << '\n';
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
    testing::Values(Line{"OneBoard", {"--board", "Left"}, "board 16C0:07B3 \"Left\"\n"},
                    Line{"NumberedBoards",
                         {"--boards", "2"},
                         "board 16C0:07B3 \"Virtual QOR 1\"\nboard 16C0:07B3 \"Virtual QOR 2\"\n"},
                    Line{"ModifiersApplyToTheDeviceBeforeThem",
                         {"--board", "A", "--product", "07ba", "--joystick", "--board", "B", "--fail-get", "4",
                          "--fail-get", "2", "--fail-set", "1", "--vanish-after", "6"},
                         "board 16C0:07BA \"A\" joystick\nboard 16C0:07B3 \"B\" gets 2 4 sets 1 vanish 6\n"},
                    Line{"ForeignDevices",
                         {"--other-vendor", "--wide-report", "--product", "0x07B9", "--fail-set", "2"},
                         "other-vendor 1209:0001\nwide-report 16C0:07B9 sets 2\n"},
                    Line{"NoDevice", {"--verbose"}, "error: no device named"},
                    Line{"ModifierWithoutDevice",
                         {"--fail-get", "1", "--board", "A"},
                         "error: --fail-get needs a device before it"},
                    Line{"BoardModifierOnForeignDevice",
                         {"--other-vendor", "--joystick"},
                         "error: --joystick needs a --board before it"},
                    Line{"MissingValue", {"--board"}, "error: --board needs a value"},
                    Line{"ZeroCount", {"--boards", "0"}, "error: --boards needs a number from 1 up"},
                    Line{"CountWithJunk",
                         {"--board", "A", "--vanish-after", "3x"},
                         "error: --vanish-after needs a number from 1 up"},
                    Line{"ProductTooBig",
                         {"--board", "A", "--product", "10000"},
                         "error: --product needs a hexadecimal ID up to FFFF"},
                    Line{"NegativeProduct",
                         {"--board", "A", "--product", "-1"},
                         "error: --product needs a hexadecimal ID up to FFFF"},
                    Line{"SettingsTooShort",
                         {"--board", "A", "--settings", "0102"},
                         "error: --settings needs bytes 2..32 as 62 hex digits"},
                    Line{"SettingsNotHex",
                         {"--board", "A", "--settings", std::string(60, '0') + "zz"},
                         "error: --settings needs bytes 2..32 as 62 hex digits"},
                    Line{"UnknownOption", {"--board", "A", "--colour"}, "error: unknown option --colour"}),
    test::CaseName);

TEST(CommandLineSettingsTest, SettingsFillBytes2To32) {
  std::string hex;
  for (int i = 2; i <= 32; ++i) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", i * 7);
    hex += digits;
  }
  const ParseResult result = ParseCommandLine({"--board", "A", "--settings", hex});
  ASSERT_TRUE(result.Parsed);
  const SettingsReport& settings = result.Parsed->Devices.at(0).Settings;
  EXPECT_EQ(settings[0], 0);
  EXPECT_EQ(settings[1], 0);
  for (std::size_t i = 2; i < settings.size(); ++i) EXPECT_EQ(settings[i], static_cast<std::uint8_t>(i * 7)) << i;
}

TEST(CommandLineSettingsTest, HelpNeedsNoDevice) {
  const ParseResult result = ParseCommandLine({"--help"});
  ASSERT_TRUE(result.Parsed);
  EXPECT_TRUE(result.Parsed->Help);
}

}  // namespace
}  // namespace qor::virtualboard
