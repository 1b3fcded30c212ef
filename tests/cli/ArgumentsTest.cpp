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
  EXPECT_EQ(got.Board, want.Board);
  EXPECT_EQ(got.Json, want.Json);
  EXPECT_EQ(got.DryRun, want.DryRun);
  EXPECT_EQ(got.File, want.File);
  EXPECT_EQ(got.Assignments, want.Assignments);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AcceptedArguments,
    testing::Values(
        Accepted{"List", {"list"}, {.Command = CommandKind::List}},
        Accepted{"ShowDefaultsToBoard1", {"show"}, {.Command = CommandKind::Show, .Board = 1}},
        Accepted{"ShowBoardAndJson", {"show", "--json", "--board", "3"},
                 {.Command = CommandKind::Show, .Board = 3, .Json = true}},
        Accepted{"BoardWithEquals", {"show", "--board=10"}, {.Command = CommandKind::Show, .Board = 10}},
        Accepted{"ExportFile", {"export", "a.qos"}, {.Command = CommandKind::Export, .File = "a.qos"}},
        Accepted{"ImportBoardAfterFile", {"import", "a.qos", "--board", "2"},
                 {.Command = CommandKind::Import, .Board = 2, .File = "a.qos"}},
        Accepted{"FileThatLooksLikeAnOption", {"export", "--", "--board"},
                 {.Command = CommandKind::Export, .File = "--board"}},
        Accepted{"HelpAfterDoubleDashIsAFile", {"export", "--", "--help"},
                 {.Command = CommandKind::Export, .File = "--help"}},
        Accepted{"SetSeveral", {"set", "--dry-run", "mode=1", "key.up=U ARROW"},
                 {.Command = CommandKind::Set, .DryRun = true, .Assignments = {"mode=1", "key.up=U ARROW"}}},
        Accepted{"HelpAnywhere", {"set", "mode=1", "--help"}, {.Command = CommandKind::Help}},
        Accepted{"HelpCommand", {"help"}, {.Command = CommandKind::Help}},
        Accepted{"Version", {"--version"}, {.Command = CommandKind::Version}}),
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
    testing::Values(Refused{"NoCommand", {}, "no command"},
                    Refused{"UnknownCommand", {"write"}, "unknown command \"write\""},
                    Refused{"OptionBeforeCommand", {"--board", "1", "show"}, "unknown command"},
                    Refused{"UnknownOption", {"show", "--verbose"}, "unknown option \"--verbose\""},
                    Refused{"BoardZero", {"show", "--board", "0"}, "1 to 10"},
                    Refused{"BoardEleven", {"show", "--board", "11"}, "1 to 10"},
                    Refused{"BoardNotANumber", {"show", "--board", "2x"}, "not \"2x\""},
                    Refused{"BoardMissing", {"show", "--board"}, "needs a board number"},
                    Refused{"ListTakesNoBoard", {"list", "--board", "1"}, "list takes no --board"},
                    Refused{"JsonOnlyForShow", {"list", "--json"}, "show only"},
                    Refused{"DryRunOnlyForSet", {"import", "--dry-run", "a.qos"}, "set only"},
                    Refused{"ShowTakesNoOperand", {"show", "extra"}, "no operand \"extra\""},
                    Refused{"ExportWithoutFile", {"export"}, "exactly one FILE"},
                    Refused{"ImportTwoFiles", {"import", "a", "b"}, "exactly one FILE"},
                    Refused{"SetWithoutSettings", {"set", "--dry-run"}, "at least one KEY=VALUE"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor::cli
