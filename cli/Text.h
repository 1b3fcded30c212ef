#pragma once
// Turning bytes from a board, a file or the command line into text that is
// safe to print.

#include <string>
#include <string_view>

#include "settings/SettingsReport.h"

namespace qor::cli {

// How the bytes of a text are to be read: a board's text is single-byte
// (Latin-1), as the window shows it; what the system holds (file names, the
// command line, node paths) is in the locale's encoding, UTF-8 here.
enum class Encoding { Utf8, Latin1 };

// The one way untrusted text reaches the terminal: anything from the command
// line, a file name, a board or a file. Printable characters come out as UTF-8;
// C0 controls, DEL, C1 controls and bytes that are not UTF-8 come out as \xNN,
// one for each byte, so that the text cannot drive the terminal; a backslash
// before an x is doubled, so that a literal "\x1b" in a text cannot pass for
// ESC (other backslashes, as in Windows paths, stay single).
std::string Printable(std::string_view text, Encoding encoding = Encoding::Utf8);

// A board's single-byte (Latin-1) text in UTF-8, as it is typed: "café".
std::string Utf8FromLatin1(std::string_view latin1);

// A JSON string literal, quotes included, of single-byte (Latin-1) text.
std::string JsonString(std::string_view latin1);

// The same of a file name, whose bytes are the system's (UTF-8 here).
std::string JsonFileName(std::string_view name);

// "00 ff 41 ..." : the bytes in two-digit lower-case hex, blank-separated.
std::string HexBytes(const SettingsReport& image);

// "0x3a"
std::string HexByte(std::uint8_t value);

}  // namespace qor::cli
