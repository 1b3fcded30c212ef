#include "cli/Arguments.h"

#include <gtest/gtest.h>

namespace qor::cli {
namespace {

using Args = std::vector<std::string>;

struct Accepted {
  const char* Name;
  Args Arguments;
  Invocation Expected;
};

class AcceptedArguments : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedArguments, ParseTo) {
  const auto result = ParseArguments(GetParam().Arguments);
  ASSERT_TRUE(std::holds_alternative<Invocation>(result)) << std::get<UsageError>(result).Message;
  const Invocation& got = std::get<Invocation>(result);
  const Invocation& want = GetParam().Expected;
  EXPECT_EQ(got.Command, want.Command);
  EXPECT_EQ(got.HelpTopic, want.HelpTopic);
  EXPECT_EQ(got.Board, want.Board);
  EXPECT_EQ(got.SettingsFile, want.SettingsFile);
  EXPECT_EQ(got.Json, want.Json);
  EXPECT_EQ(got.DryRun, want.DryRun);
  EXPECT_EQ(got.File, want.File);
  EXPECT_EQ(got.Setting, want.Setting);
  EXPECT_EQ(got.Assignments, want.Assignments);
  EXPECT_EQ(got.Verbose, want.Verbose);
}

using enum CommandKind;

INSTANTIATE_TEST_SUITE_P(
    Rows, AcceptedArguments,
    testing::Values(
        Accepted{"List", {"list"}, {.Command = List}},
        Accepted{"ListJsonShort", {"list", "-j"}, {.Command = List, .Json = true}},
        Accepted{"ShowDefaultsToBoard1", {"show"}, {.Command = Show}},
        Accepted{"ShowBoardAndJson", {"show", "--json", "--board", "3"}, {.Command = Show, .Board = "3", .Json = true}},
        Accepted{"OptionsBeforeTheCommand", {"--board", "2", "show"}, {.Command = Show, .Board = "2"}},
        Accepted{"ShortOptionsBefore",
                 {"-b", "/dev/hidraw3", "-j", "show"},
                 {.Command = Show, .Board = "/dev/hidraw3", .Json = true}},
        Accepted{"BundledShortOptions",
                 {"set", "-nb1-1.4", "mode=1"},
                 {.Command = Set, .Board = "1-1.4", .DryRun = true, .Assignments = {"mode=1"}}},
        Accepted{"BoardWithEquals", {"show", "--board=10"}, {.Command = Show, .Board = "10"}},
        Accepted{"BoardByText", {"show", "-b", "QOR Arcade"}, {.Command = Show, .Board = "QOR Arcade"}},
        // A number beyond the table may be a board's text.
        Accepted{"BoardElevenIsLookedFor", {"-b", "11", "show"}, {.Command = Show, .Board = "11"}},
        Accepted{"ShowFile", {"show", "-f", "a.qos"}, {.Command = Show, .SettingsFile = "a.qos"}},
        Accepted{"GetSetting",
                 {"get", "--file=a.qos", "key.up"},
                 {.Command = Get, .SettingsFile = "a.qos", .Setting = "key.up"}},
        Accepted{"ExportFile", {"export", "a.qos"}, {.Command = Export, .File = "a.qos"}},
        Accepted{"ImportBoardAfterFile",
                 {"import", "a.qos", "--board", "2"},
                 {.Command = Import, .Board = "2", .File = "a.qos"}},
        Accepted{"FileThatLooksLikeAnOption", {"export", "--", "--board"}, {.Command = Export, .File = "--board"}},
        Accepted{"HelpAfterDoubleDashIsAFile", {"export", "--", "--help"}, {.Command = Export, .File = "--help"}},
        // "--" in place of a value ends the options; the value follows it.
        Accepted{"DoubleDashBeforeAValue", {"show", "-f", "--", "-x.qos"}, {.Command = Show, .SettingsFile = "-x.qos"}},
        Accepted{"DoubleDashBeforeALongValue",
                 {"set", "--file", "--", "-x.qos", "-n"},
                 {.Command = Set, .SettingsFile = "-x.qos", .Assignments = {"-n"}}},
        Accepted{"VerboseAnyCommand", {"-v", "list"}, {.Command = List, .Verbose = true}},
        Accepted{"ShortVersion", {"-V"}, {.Command = Version}},
        Accepted{"SetSeveral",
                 {"set", "-n", "mode=1", "key.up=U ARROW"},
                 {.Command = Set, .DryRun = true, .Assignments = {"mode=1", "key.up=U ARROW"}}},
        Accepted{"CommandHelpOption", {"set", "mode=1", "--help"}, {.Command = Help, .HelpTopic = Set}},
        Accepted{"HelpCommand", {"help"}, {.Command = Help}},
        Accepted{"HelpOnACommand", {"help", "get"}, {.Command = Help, .HelpTopic = Get}},
        Accepted{"HelpWithATypo", {"lst", "-h"}, {.Command = Help}},
        Accepted{"Version", {"--version"}, {.Command = Version}},
        Accepted{"VersionAfterACommand", {"list", "--version"}, {.Command = Version}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct Refused {
  const char* Name;
  Args Arguments;
  const char* MessagePart;
};

class RefusedArguments : public testing::TestWithParam<Refused> {};

TEST_P(RefusedArguments, AreUsageErrors) {
  const auto result = ParseArguments(GetParam().Arguments);
  ASSERT_TRUE(std::holds_alternative<UsageError>(result));
  EXPECT_NE(std::get<UsageError>(result).Message.find(GetParam().MessagePart), std::string::npos)
      << std::get<UsageError>(result).Message;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedArguments,
    testing::Values(Refused{"NoCommand", {}, "no command"}, Refused{"OnlyOptions", {"-b", "2"}, "no command"},
                    Refused{"UnknownCommand", {"write"}, "unknown command \"write\""},
                    Refused{"CommandSuggested", {"lst"}, "unknown command \"lst\"; did you mean \"list\"?"},
                    Refused{"UnknownOption", {"show", "--loud"}, "unknown option \"--loud\""},
                    // set and import write: a second board named must not silently win.
                    Refused{"SecondBoard", {"set", "-b", "1", "mode=1", "-b", "2"}, "-b is given twice"},
                    Refused{"SecondFile", {"show", "-f", "a", "--file=b"}, "--file is given twice"},
                    Refused{"OptionSuggested", {"show", "--bord", "2"}, "did you mean \"--board\"?"},
                    Refused{"UnknownShortOption", {"show", "-x"}, "unknown option \"-x\""},
                    Refused{"BoardEmpty", {"show", "--board="}, "needs a board"},
                    Refused{"BoardMissing", {"show", "--board"}, "--board needs a value"},
                    Refused{"FlagWithValue", {"show", "--json=yes"}, "--json takes no value"},
                    Refused{"ListTakesNoBoard", {"list", "--board", "1"}, "list takes no --board"},
                    Refused{"ExportTakesNoFileOption", {"export", "-f", "a", "b"}, "export takes no --file"},
                    Refused{"BoardAndFile", {"show", "-b", "1", "-f", "a.qos"}, "exclude each other"},
                    Refused{"DryRunOnlyForSet", {"import", "--dry-run", "a.qos"}, "import takes no --dry-run"},
                    Refused{"ShowTakesNoOperand", {"show", "extra"}, "no operand \"extra\""},
                    Refused{"GetWithoutSetting", {"get"}, "exactly one SETTING"},
                    Refused{"HelpOnNoCommand", {"help", "shwo"}, "did you mean \"show\"?"},
                    Refused{"ExportWithoutFile", {"export"}, "exactly one FILE"},
                    Refused{"ImportTwoFiles", {"import", "a", "b"}, "exactly one FILE"},
                    Refused{"SetWithoutSettings", {"set", "--dry-run"}, "at least one KEY=VALUE"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor::cli
