#include "device/linux/AccessHint.h"

#include <vector>

namespace qor {

std::string AccessHint::Hint() {
  std::vector<std::string> denied;
  for (const UnopenableBoard& board : m_Probe.UnopenableBoards())
    if (IsAccessDenied(board.Error)) denied.push_back(board.Path);
  return denied.empty() ? std::string() : AccessAdvice(denied, m_Rules);
}

}  // namespace qor
