#include "device/AccessAdvice.h"

#include "res/StringTable.h"

namespace qor {

std::string AccessAdvice(const std::vector<std::string>& nodes, const InstalledRules& rules) {
  std::string named;
  for (std::size_t i = 0; i < nodes.size(); ++i) named += (i > 0 ? ", " : "") + nodes[i];
  const std::string values[] = {named, rules.AccessRule, rules.PlugdevExample};
  const std::string text = res::LoadString(nodes.size() > 1 ? res::IDS_ACCESS_BOARDS : res::IDS_ACCESS_ONE_BOARD);
  // Each %N is replaced once, left to right; the values are never searched.
  std::string advice;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
      advice += values[text[i + 1] - '1'];
      ++i;
    } else {
      advice += text[i];
    }
  }
  return advice;
}

}  // namespace qor
