#include "sim/VirtualBoard.h"

#include <algorithm>
#include <utility>

namespace qor::sim {
namespace {

// Settings and identification text both fill bytes 2..32 of a reply.
constexpr std::size_t PayloadOffset = 2;

}  // namespace

VirtualBoard::VirtualBoard(std::string identification, const SettingsReport& stored)
    : identification_(std::move(identification)), stored_(stored) {
  if (identification_.size() > MaxIdentificationLength) identification_.resize(MaxIdentificationLength);
  stored_[ReportOffset::ReportId] = 0;
  stored_[ReportOffset::Command] = 0;
}

bool VirtualBoard::SetFeature(const std::uint8_t* report, std::size_t length) {
  if (report == nullptr || length != SettingsReportSize || report[ReportOffset::ReportId] != 0) return false;
  switch (report[ReportOffset::Command]) {
    case CommandStore:
      std::copy(report + PayloadOffset, report + SettingsReportSize, stored_.begin() + PayloadOffset);
      reply_ = Reply::Settings;
      break;
    case CommandSelectSettings:
      reply_ = Reply::Settings;
      break;
    case CommandIdentify:
      reply_ = Reply::Identification;
      break;
    default:
      break;
  }
  return true;
}

SettingsReport VirtualBoard::GetFeature() const {
  if (reply_ == Reply::Settings) return stored_;
  SettingsReport reply{};
  std::copy(identification_.begin(), identification_.end(), reply.begin() + PayloadOffset);
  return reply;
}

}  // namespace qor::sim
