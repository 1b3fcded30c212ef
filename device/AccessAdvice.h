#pragma once
// What to tell a user whose boards are attached but may not be opened: the
// nodes, and the one thing to do with the access rules this installation
// holds. Both programs say it the same way.

#include <string>
#include <vector>

namespace qor {

// The installed access rules, absolute paths from the install prefix.
struct InstalledRules {
  std::string AccessRule;      // ".../udev/rules.d/70-qor-boards.rules"
  std::string PlugdevExample;  // ".../share/doc/qorconfig/examples/qor-boards-plugdev.rules"
};

// One line naming the nodes: install the access rule, then unplug and replug;
// over ssh, the plugdev rule.
std::string AccessAdvice(const std::vector<std::string>& nodes, const InstalledRules& rules);

}  // namespace qor
