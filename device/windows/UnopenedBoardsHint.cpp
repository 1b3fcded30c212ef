#include "device/windows/UnopenedBoardsHint.h"

#include <algorithm>
#include <utility>

#include "res/StringTable.h"
#include "settings/SystemError.h"

namespace qor {

std::string UnopenedBoardsHint::Hint(const std::vector<UnopenedInterface>& unopened) {
  std::vector<std::pair<int, int>> reasons;  // error, boards
  for (const UnopenableBoard& board : m_Probe.UnopenableBoards(unopened)) {
    const auto counted = std::find_if(reasons.begin(), reasons.end(),
                                      [&board](const auto& reason) { return reason.first == board.Error; });
    if (counted == reasons.end())
      reasons.emplace_back(board.Error, 1);
    else
      ++counted->second;
  }
  std::string hint;
  for (const auto& [error, boards] : reasons) {
    if (!hint.empty()) hint += '\n';
    const std::string reason = SystemErrorText(error);
    if (boards == 1)
      hint += res::FillString(res::LoadString(res::IDS_UNOPENABLE_ONE_BOARD), {reason, "", ""});
    else
      hint += res::FillString(res::LoadString(res::IDS_UNOPENABLE_BOARDS), {std::to_string(boards), reason, ""});
  }
  return hint;
}

}  // namespace qor
