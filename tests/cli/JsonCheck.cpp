#include "JsonCheck.h"

#include <cctype>
#include <cstring>

namespace qor::cli::test {
namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : m_Text(text) {}

  bool Value(std::set<std::string>* keys = nullptr) {
    Blanks();
    if (Peek() == '{') return Object(keys);
    if (Peek() == '[') return Array();
    if (Peek() == '"') return String(nullptr);
    if (Literal("true") || Literal("false") || Literal("null")) return true;
    return Number();
  }
  bool AtEnd() {
    Blanks();
    return m_Pos == m_Text.size();
  }

 private:
  char Peek() const { return m_Pos < m_Text.size() ? m_Text[m_Pos] : '\0'; }
  bool Take(char c) {
    Blanks();
    if (Peek() != c) return false;
    ++m_Pos;
    return true;
  }
  void Blanks() {
    while (m_Pos < m_Text.size() && std::strchr(" \t\r\n", m_Text[m_Pos])) ++m_Pos;
  }
  bool Literal(const char* word) {
    if (m_Text.compare(m_Pos, std::strlen(word), word) != 0) return false;
    m_Pos += std::strlen(word);
    return true;
  }
  bool Number() {
    const std::size_t start = m_Pos;
    if (Peek() == '-') ++m_Pos;
    while (std::isdigit(static_cast<unsigned char>(Peek())) || Peek() == '.' || Peek() == 'e' || Peek() == 'E' ||
           Peek() == '+' || Peek() == '-')
      ++m_Pos;
    return m_Pos > start && std::isdigit(static_cast<unsigned char>(m_Text[m_Pos - 1]));
  }
  bool String(std::string* out) {
    if (!Take('"')) return false;
    while (m_Pos < m_Text.size()) {
      const char c = m_Text[m_Pos++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c == '\\') {
        const char e = Peek();
        ++m_Pos;
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++m_Pos)
            if (!std::isxdigit(static_cast<unsigned char>(Peek()))) return false;
        } else if (!std::strchr("\"\\/bfnrt", e) || e == '\0') {
          return false;
        }
        if (out) *out += '?';
      } else if (out) {
        *out += c;
      }
    }
    return false;
  }
  bool Object(std::set<std::string>* keys) {
    Take('{');
    if (Take('}')) return true;
    do {
      std::string key;
      Blanks();
      if (!String(&key) || !Take(':') || !Value()) return false;
      if (keys && !keys->insert(key).second) return false;  // a name given twice
    } while (Take(','));
    return Take('}');
  }
  bool Array() {
    Take('[');
    if (Take(']')) return true;
    do {
      if (!Value()) return false;
    } while (Take(','));
    return Take(']');
  }

  const std::string& m_Text;
  std::size_t m_Pos = 0;
};

}  // namespace

std::optional<std::set<std::string>> JsonObjectKeys(const std::string& text) {
  Reader reader(text);
  std::set<std::string> keys;
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos || text[first] != '{') return std::nullopt;
  if (!reader.Value(&keys) || !reader.AtEnd()) return std::nullopt;
  return keys;
}

}  // namespace qor::cli::test
