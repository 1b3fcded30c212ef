#pragma once
// Linux's hint when a scan opens no board: the attached QOR boards this user
// may not open, and the installed access rules that would let them.

#include <utility>

#include "device/AccessAdvice.h"
#include "device/BoardProbe.h"
#include "device/NoBoardsHint.h"

namespace qor {

class AccessHint final : public NoBoardsHint {
 public:
  AccessHint(BoardProbe& probe, InstalledRules rules) : m_Probe(probe), m_Rules(std::move(rules)) {}

  // Only access rights are this hint's business: a busy node is not named.
  std::string Hint(const std::vector<UnopenedInterface>& unopened) override;

 private:
  BoardProbe& m_Probe;
  InstalledRules m_Rules;
};

}  // namespace qor
