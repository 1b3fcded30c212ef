#include "device/AccessAdvice.h"

#include "res/StringTable.h"

namespace qor {
namespace {

struct CaseTexts {
  AccessCase Case;
  int Full;
  int Short;
};
constexpr CaseTexts Texts[] = {
    {AccessCase::RuleMissing, res::IDS_ACCESS_RULE_MISSING, res::IDS_ACCESS_RULE_MISSING_SHORT},
    {AccessCase::RuleNotApplied, res::IDS_ACCESS_RULE_NOT_APPLIED, res::IDS_ACCESS_RULE_NOT_APPLIED_SHORT},
    {AccessCase::NotAtTheSeat, res::IDS_ACCESS_NOT_AT_THE_SEAT, res::IDS_ACCESS_NOT_AT_THE_SEAT_SHORT},
};

}  // namespace

std::string AccessAdvice(const std::vector<UnopenableBoard>& denied, const InstalledRules& rules, AdviceLength length) {
  std::string advice;
  for (const CaseTexts& texts : Texts) {
    std::string nodes;
    int count = 0;
    for (const UnopenableBoard& board : denied) {
      if (board.Access != texts.Case) continue;
      nodes += (count++ > 0 ? ", " : "") + board.Path;
    }
    if (count == 0) continue;
    const std::string boards = res::FillString(
        res::LoadString(count > 1 ? res::IDS_ACCESS_BOARDS : res::IDS_ACCESS_ONE_BOARD), {nodes, "", ""});
    const std::string values[3] = {boards, rules.AccessRule, rules.PlugdevExample};
    if (!advice.empty()) advice += '\n';
    advice += res::FillString(res::LoadString(length == AdviceLength::Full ? texts.Full : texts.Short), values);
  }
  return advice;
}

}  // namespace qor
