#include "cli/Text.h"

#include <algorithm>
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

// The length of the well-formed UTF-8 character at text[i], or 0: no stray
// or missing continuation bytes, no overlong forms, surrogates or code points
// beyond U+10FFFF.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  const std::size_t length = c < 0x80                 ? 1
                             : c >= 0xC2 && c <= 0xDF ? 2
                             : c >= 0xE0 && c <= 0xEF ? 3
                             : c >= 0xF0 && c <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  const auto second = length > 1 ? static_cast<unsigned char>(text[i + 1]) : 0;
  if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
      (c == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

// A C1 control (U+0080..U+009F) in UTF-8.
bool IsUtf8Control(std::string_view text, std::size_t i, std::size_t length) {
  return length == 2 && static_cast<unsigned char>(text[i]) == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

// C0 controls, DEL and C1 controls as \u00NN, so that JSON on a terminal
// cannot drive it either.
std::string JsonEscaped(std::string_view text, bool fromLatin1) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (IsControl(c) && (fromLatin1 || c < 0x80)) {
      out += "\\u00" + Hex2(c);
    } else if (!fromLatin1 && IsUtf8Control(text, i, Utf8Length(text, i))) {
      out += "\\u00" + Hex2(static_cast<unsigned char>(text[++i]));
    } else if (fromLatin1) {
      AppendUtf8(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string Printable(std::string_view text, Encoding encoding) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = encoding == Encoding::Latin1 ? 1 : Utf8Length(text, i);
    const std::size_t step = std::max<std::size_t>(length, 1);
    if (length == 0 || IsControl(c) || IsUtf8Control(text, i, length)) {
      for (std::size_t k = 0; k < step; ++k) out += "\\x" + Hex2(static_cast<unsigned char>(text[i + k]));
    } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'x') {
      // Only "\x" could pass for an escape; other backslashes, Windows'
      // path separators, stay as they are.
      out += "\\\\";
    } else if (encoding == Encoding::Latin1) {
      AppendUtf8(out, c);
    } else {
      out.append(text.substr(i, length));
    }
    i += step;
  }
  return out;
}

std::string Utf8FromLatin1(std::string_view latin1) {
  std::string out;
  for (const char c : latin1) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

std::string JsonString(std::string_view latin1) { return JsonEscaped(latin1, true); }

// A name that is not UTF-8 is read as Latin-1, so that the JSON stays valid.
std::string JsonFileName(std::string_view name) { return JsonEscaped(name, !IsUtf8(name)); }

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
