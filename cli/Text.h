#pragma once
// Turning bytes from a board into text that is safe to print.

#include <string>
#include <string_view>

#include "settings/SettingsReport.h"

namespace qor::cli {

// Single-byte text as the window shows it (Latin-1), in UTF-8. Control
// characters are written \xNN, so a board's text cannot drive the terminal,
// and a backslash is doubled, so a literal "\x1b" in a text cannot pass for ESC.
std::string PrintableText(std::string_view latin1);

// A file name, or other text as the system holds it such as what the user
// typed (bytes in the locale's encoding, UTF-8 here), with control characters
// written \xNN and a backslash doubled as above, so that it cannot drive the
// terminal.
std::string PrintableFileName(std::string_view name);

// A JSON string literal, quotes included, of single-byte (Latin-1) text.
std::string JsonString(std::string_view latin1);

// The same of a file name, whose bytes are the system's (UTF-8 here).
std::string JsonFileName(std::string_view name);

// "00 ff 41 ..." : the bytes in two-digit lower-case hex, blank-separated.
std::string HexBytes(const SettingsReport& image);

// "0x3a"
std::string HexByte(std::uint8_t value);

}  // namespace qor::cli
