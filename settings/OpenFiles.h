#pragma once
// What the program asks about the files its standard descriptors have open.

#include <string>

namespace qor {

// True when the path names the file the descriptor has open.
bool IsSameFile(const std::string& path, int fd);

// True when the descriptor is a terminal (a console on Windows).
bool IsTerminal(int fd);

}  // namespace qor
