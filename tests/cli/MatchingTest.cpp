#include "cli/Matching.h"

#include <gtest/gtest.h>

namespace qor::cli {
namespace {

const std::vector<std::string_view> Names = {"list",      "show", "get",  "SPACE", "Space",  "L ALT",   "--board",
                                             "--dry-run", "set",  "P",    "K",     "L SHFT", "R SHIFT", "KP -",
                                             "KP *",      "KP .", "KP /", "KP +",  "KP 0"};

struct Match {
  const char* Name;
  std::string Given;
  std::optional<std::size_t> Index;
};

class Matches : public testing::TestWithParam<Match> {};

TEST_P(Matches, PickTheName) { EXPECT_EQ(MatchName(GetParam().Given, Names), GetParam().Index); }

INSTANTIATE_TEST_SUITE_P(
    Rows, Matches,
    testing::Values(Match{"Exact", "show", 1}, Match{"OtherCase", "SHOW", 1},
                    // Two names differ only in case: the exact one wins, any other case fits neither.
                    Match{"ExactCaseWins", "Space", 4}, Match{"AmbiguousCase", "space", std::nullopt},
                    Match{"NoPrefixes", "sho", std::nullopt}, Match{"InnerBlank", "l alt", 5}),
    [](const auto& info) { return std::string(info.param.Name); });

struct Suggestion {
  const char* Name;
  std::string Given;
  std::string Expected;  // what is offered, quoted; "" for no suggestion
};

class Suggestions : public testing::TestWithParam<Suggestion> {};

TEST_P(Suggestions, OfferTheClosestName) {
  EXPECT_EQ(DidYouMean(GetParam().Given, Names),
            GetParam().Expected.empty() ? "" : "; did you mean " + GetParam().Expected + "?");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Suggestions,
    testing::Values(Suggestion{"LetterMissing", "lst", "\"list\""}, Suggestion{"LettersSwapped", "shwo", "\"show\""},
                    Suggestion{"OptionLetterMissing", "--bord", "\"--board\""},
                    Suggestion{"TwoSlipsInALongName", "--dryrn", "\"--dry-run\""}, Suggestion{"TooFar", "reset", ""},
                    Suggestion{"ShortWordsNeedOneSlip", "gte", "\"get\""}, Suggestion{"NothingLikeIt", "x", ""},
                    // One slip is too much for a name of one or two letters.
                    Suggestion{"NotAOneLetterName", "up", ""},
                    Suggestion{"SameBeginningWinsATie", "R SHFT", "\"R SHIFT\""},
                    Suggestion{"BeginningsFirst", "l ", "\"L ALT\" or \"L SHFT\""},
                    Suggestion{"TooManyBeginnings", "kp", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor::cli
