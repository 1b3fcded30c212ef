#include "device/linux/AccessHint.h"

#include <vector>

#include "settings/SystemError.h"

namespace qor {

std::string AccessHint::Hint(const std::vector<UnopenedInterface>& unopened) {
  std::vector<UnopenableBoard> denied;
  for (const UnopenableBoard& board : m_Probe.UnopenableBoards(unopened))
    if (IsAccessDenied(board.Error)) denied.push_back(board);
  return AccessAdvice(denied, m_Rules, AdviceLength::Short);
}

}  // namespace qor
