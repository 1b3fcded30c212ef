#include "JsonCheck.h"

#include <cctype>
#include <cstring>

namespace qor::cli::test {
namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

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
    return pos_ == text_.size();
  }

 private:
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  bool Take(char c) {
    Blanks();
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  void Blanks() {
    while (pos_ < text_.size() && std::strchr(" \t\r\n", text_[pos_])) ++pos_;
  }
  bool Literal(const char* word) {
    if (text_.compare(pos_, std::strlen(word), word) != 0) return false;
    pos_ += std::strlen(word);
    return true;
  }
  bool Number() {
    const std::size_t start = pos_;
    if (Peek() == '-') ++pos_;
    while (std::isdigit(static_cast<unsigned char>(Peek())) || Peek() == '.' || Peek() == 'e' || Peek() == 'E' ||
           Peek() == '+' || Peek() == '-')
      ++pos_;
    return pos_ > start && std::isdigit(static_cast<unsigned char>(text_[pos_ - 1]));
  }
  bool String(std::string* out) {
    if (!Take('"')) return false;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c == '\\') {
        const char e = Peek();
        ++pos_;
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++pos_)
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

  const std::string& text_;
  std::size_t pos_ = 0;
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
