#include "cli/Text.h"

#include <cstdio>

namespace qor::cli {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void AppendUtf8(std::string& out, unsigned char c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Hex2(unsigned value) {
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02x", value & 0xFF);
  return digits;
}

// Control characters as \xNN and a backslash doubled; other bytes converted
// from Latin-1, or else kept as they are (bytes from 0x80 are then parts of
// multibyte characters).
std::string Escaped(std::string_view text, bool fromLatin1) {
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsControl(c) && (fromLatin1 || c < 0x80)) {
      out += "\\x" + Hex2(c);
    } else if (c == '\\') {
      out += "\\\\";
    } else if (fromLatin1) {
      AppendUtf8(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace

std::string PrintableText(std::string_view latin1) { return Escaped(latin1, true); }

std::string PrintableFileName(std::string_view name) { return Escaped(name, false); }

std::string JsonString(std::string_view latin1) {
  std::string out = "\"";
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (IsControl(c)) {
      out += "\\u00" + Hex2(c);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out + "\"";
}

std::string HexBytes(const SettingsReport& image) {
  std::string out;
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i > 0) out += ' ';
    out += Hex2(image[i]);
  }
  return out;
}

std::string HexByte(std::uint8_t value) { return "0x" + Hex2(value); }

}  // namespace qor::cli
