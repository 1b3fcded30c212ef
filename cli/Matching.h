#pragma once
// Forgiving name matching for the command line: an exact name always wins,
// another case is accepted when it picks exactly one name, and a name close
// to a known one is offered as "did you mean".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor::cli {

// The index of `given` among `names`: the exact name, or else the one name
// equal to it but for case. Nothing when no name or several names fit.
std::optional<std::size_t> MatchName(std::string_view given, const std::vector<std::string_view>& names);

// The known name closest to `given` within a couple of typing slips (a letter
// missing, extra, wrong or two swapped) and at most a third of its length,
// case aside, preferring the one that begins as typed; nothing when none is close.
std::optional<std::string_view> ClosestName(std::string_view given, const std::vector<std::string_view>& names);

// "; did you mean \"list\"?": the names that begin as typed (a few: "show"
// or "set"), else the closest name; "" when nothing fits.
std::string DidYouMean(std::string_view given, const std::vector<std::string_view>& names);

bool EqualButForCase(std::string_view a, std::string_view b);

}  // namespace qor::cli
