#include "tools/virtual-board/FeatureReports.h"

#include <algorithm>

namespace qor::virtualboard {

std::optional<std::vector<std::uint8_t>> BoardReports::Get(std::uint8_t reportNumber) {
  if (reportNumber != 0) return std::nullopt;
  const SettingsReport reply = m_Board->GetFeature();
  return std::vector<std::uint8_t>(reply.begin(), reply.end());
}

bool BoardReports::Set(const std::uint8_t* report, std::size_t length) { return m_Board->SetFeature(report, length); }

std::optional<std::vector<std::uint8_t>> PlainReports::Get(std::uint8_t reportNumber) {
  if (m_Data.empty() || reportNumber != 0) return std::nullopt;
  std::vector<std::uint8_t> report{0};
  report.insert(report.end(), m_Data.begin(), m_Data.end());
  return report;
}

bool PlainReports::Set(const std::uint8_t* report, std::size_t length) {
  if (m_Data.empty() || length != m_Data.size() + 1 || report[0] != 0) return false;
  std::copy(report + 1, report + length, m_Data.begin());
  return true;
}

}  // namespace qor::virtualboard
