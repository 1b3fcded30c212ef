#pragma once
// Reading a tool's command line: option after option, the first fault kept,
// and numbers that must be whole.

#include <charconv>
#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor::tools {

template <class Options>
struct ParseResult {
  std::optional<Options> Parsed;  // nullopt with an Error when the line is wrong
  std::string Error;
};

// Walks the arguments (without the program name) and keeps the first fault.
class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& arguments) : m_Arguments(arguments) {}

  // The next argument, or nullopt at the end of the line or after a fault.
  std::optional<std::string> NextOption();
  // The argument after option `name`; nullopt with a fault when the line ends first.
  std::optional<std::string> Value(const std::string& name);
  // A later fault does not replace the first.
  void Fail(std::string message);

  const std::string& Error() const { return m_Error; }

 private:
  const std::vector<std::string>& m_Arguments;
  std::size_t m_Next = 0;
  std::string m_Error;
};

// The whole of `text` as a number in `base`: no blanks, no '+', nothing after
// it; a hexadecimal one may start with 0x. nullopt when it is no such number
// or lies outside T's range.
template <std::integral T>
std::optional<T> ParseNumber(std::string_view text, int base = 10) {
  if (base == 16 && (text.starts_with("0x") || text.starts_with("0X"))) text.remove_prefix(2);
  T value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value, base);
  if (text.empty() || error != std::errc{} || end != last) return std::nullopt;
  return value;
}

}  // namespace qor::tools
