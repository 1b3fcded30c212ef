#include "cli/WindowTransfers.h"

namespace qor::cli {
namespace {

constexpr std::uint8_t NoSelection = 0xFF;

SettingsReport WithFrame(const SettingsReport& settings, std::uint8_t reserved) {
  SettingsReport image = settings;
  image[ReportOffset::ReportId] = 0;
  image[ReportOffset::Command] = CommandStore;
  image[ReportOffset::Reserved] = reserved;
  return image;
}

}  // namespace

SettingsReport ThroughWindowHolders(const SettingsReport& settings) {
  SettingsReport image = settings;
  if (image[ReportOffset::BoardId] >= BoardIdCount) image[ReportOffset::BoardId] = NoSelection;
  if (image[ReportOffset::Mode] >= ModeCount) image[ReportOffset::Mode] = NoSelection;
  return image;
}

SettingsReport SaveImage(const SettingsReport& settings, const SettingsReport& lastReply) {
  return WithFrame(settings, lastReply[ReportOffset::Reserved]);
}

SettingsReport ExportImage(const SettingsReport& settings) { return WithFrame(settings, 0); }

}  // namespace qor::cli
