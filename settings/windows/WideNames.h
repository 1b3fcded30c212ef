#pragma once
// Names are UTF-8 inside the program and UTF-16 at the system.

#include <optional>
#include <string>

namespace qor {

// nullopt for bytes that are not UTF-8: such a name cannot name a file.
std::optional<std::wstring> WideName(const std::string& utf8);
std::string Utf8Name(const std::wstring& wide);

}  // namespace qor
