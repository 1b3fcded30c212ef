#include "tools/common/CommandLine.h"

namespace qor::tools {

std::optional<std::string> ArgumentReader::NextOption() {
  if (next_ >= arguments_.size() || !error_.empty()) return std::nullopt;
  return arguments_[next_++];
}

std::optional<std::string> ArgumentReader::Value(const std::string& name) {
  if (next_ >= arguments_.size()) {
    Fail(name + " needs a value");
    return std::nullopt;
  }
  return arguments_[next_++];
}

void ArgumentReader::Fail(std::string message) {
  if (error_.empty()) error_ = std::move(message);
}

}  // namespace qor::tools
