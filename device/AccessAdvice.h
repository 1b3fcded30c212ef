#pragma once
// What to tell a user whose boards are attached but may not be opened: the
// nodes, and the one thing to do with the access rules this installation
// holds. Both programs say it the same way.

#include <string>
#include <vector>

#include "device/BoardProbe.h"

namespace qor {

// The installed access rules, absolute paths from the install prefix.
struct InstalledRules {
  std::string AccessRule;      // ".../udev/rules.d/70-qor-boards.rules"
  std::string PlugdevExample;  // ".../share/doc/qorctl/examples/qor-boards-plugdev.rules"
};

enum class AdviceLength { Full, Short };

// What to do about boards closed for want of access rights, one paragraph
// per case among them, each naming its nodes: qorctl gives it in full, the
// window's line shortly. Empty for none.
std::string AccessAdvice(const std::vector<UnopenableBoard>& denied, const InstalledRules& rules,
                         AdviceLength length = AdviceLength::Full);

}  // namespace qor
