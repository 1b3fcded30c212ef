#pragma once
// A strict little JSON reader for tests: whether a text is one well-formed
// JSON value, and the member names of a top-level object.

#include <optional>
#include <set>
#include <string>

namespace qor::cli::test {

// The top-level object's member names, or nullopt when the text is not one
// well-formed JSON object (trailing blanks aside).
std::optional<std::set<std::string>> JsonObjectKeys(const std::string& text);

}  // namespace qor::cli::test
