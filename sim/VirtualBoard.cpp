#include "sim/VirtualBoard.h"

#include <algorithm>
#include <utility>

namespace qor::sim {
namespace {

// Settings and identification text both fill bytes 2..32 of a reply.
constexpr std::size_t PayloadOffset = 2;

}  // namespace

VirtualBoard::VirtualBoard(std::string identification, const SettingsReport& stored)
    : m_Identification(std::move(identification)), m_Stored(stored) {
  if (m_Identification.size() > MaxIdentificationLength) m_Identification.resize(MaxIdentificationLength);
  m_Stored[report_offset::ReportId] = 0;
  m_Stored[report_offset::Command] = 0;
}

bool VirtualBoard::SetFeature(const std::uint8_t* report, std::size_t length) {
  if (report == nullptr || length != SettingsReportSize || report[report_offset::ReportId] != 0) return false;
  switch (report[report_offset::Command]) {
    case CommandStore:
      std::copy(report + PayloadOffset, report + SettingsReportSize, m_Stored.begin() + PayloadOffset);
      m_Reply = Reply::Settings;
      break;
    case CommandSelectSettings:
      m_Reply = Reply::Settings;
      break;
    case CommandIdentify:
      m_Reply = Reply::Identification;
      break;
    default:
      break;
  }
  return true;
}

SettingsReport VirtualBoard::GetFeature() const {
  if (m_Reply == Reply::Settings) return m_Stored;
  SettingsReport reply{};
  std::copy(m_Identification.begin(), m_Identification.end(), reply.begin() + PayloadOffset);
  return reply;
}

}  // namespace qor::sim
