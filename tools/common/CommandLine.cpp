#include "tools/common/CommandLine.h"

namespace qor::tools {

std::optional<std::string> ArgumentReader::NextOption() {
  if (m_Next >= m_Arguments.size() || !m_Error.empty()) return std::nullopt;
  return m_Arguments[m_Next++];
}

std::optional<std::string> ArgumentReader::Value(const std::string& name) {
  if (m_Next >= m_Arguments.size()) {
    Fail(name + " needs a value");
    return std::nullopt;
  }
  return m_Arguments[m_Next++];
}

void ArgumentReader::Fail(std::string message) {
  if (m_Error.empty()) m_Error = std::move(message);
}

}  // namespace qor::tools
