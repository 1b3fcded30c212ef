#include "cli/Matching.h"

#include <algorithm>
#include <cctype>

namespace qor::cli {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Edit distance counting a swap of two neighbouring letters as one slip.
std::size_t Slips(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1])) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  std::size_t length = 0;
  while (length < a.size() && length < b.size() && Lower(a[length]) == Lower(b[length])) ++length;
  return length;
}

constexpr std::size_t MaxSuggestions = 4;

}  // namespace

bool EqualButForCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::optional<std::size_t> MatchName(std::string_view given, const std::vector<std::string_view>& names) {
  const auto exact = std::find(names.begin(), names.end(), given);
  if (exact != names.end()) return static_cast<std::size_t>(exact - names.begin());
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!EqualButForCase(given, names[i])) continue;
    if (found) return std::nullopt;
    found = i;
  }
  return found;
}

std::optional<std::string_view> ClosestName(std::string_view given, const std::vector<std::string_view>& names) {
  // Short names allow one slip, longer ones two, and never more than a third
  // of the name: "lst" is list, but "up" is not "P".
  const std::size_t allowed = given.size() <= 4 ? 1 : 2;
  std::optional<std::string_view> closest;
  std::size_t best = allowed + 1;
  std::size_t bestPrefix = 0;
  for (const std::string_view name : names) {
    const std::size_t slips = Slips(given, name);
    if (slips > allowed || 3 * slips > std::max(given.size(), name.size())) continue;
    // Among equally close names, the one that begins as typed: "R SHFT" is "R SHIFT", not "L SHFT".
    const std::size_t prefix = CommonPrefix(given, name);
    if (slips < best || (slips == best && prefix > bestPrefix)) {
      best = slips;
      bestPrefix = prefix;
      closest = name;
    }
  }
  return closest;
}

std::string DidYouMean(std::string_view given, const std::vector<std::string_view>& names) {
  // Names that begin as typed come first ("kp" is a keypad key, not "K"); a
  // handful is offered, more would be a list, not a suggestion.
  std::vector<std::string_view> starting;
  for (const std::string_view name : names) {
    if (!given.empty() && name.size() > given.size() && EqualButForCase(given, name.substr(0, given.size())))
      starting.push_back(name);
  }
  if (starting.size() > MaxSuggestions) return "";
  if (starting.empty()) {
    if (const std::optional<std::string_view> closest = ClosestName(given, names)) starting.push_back(*closest);
  }
  std::string offered;
  for (std::size_t i = 0; i < starting.size(); ++i) {
    offered += std::string(i == 0                     ? ""
                           : i + 1 == starting.size() ? " or "
                                                      : ", ") +
               "\"" + std::string(starting[i]) + "\"";
  }
  return offered.empty() ? "" : "; did you mean " + offered + "?";
}

}  // namespace qor::cli
