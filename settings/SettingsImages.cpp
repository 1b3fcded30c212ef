#include "settings/SettingsImages.h"

namespace qor {
namespace {

constexpr std::uint8_t NoSelection = 0xFF;

}  // namespace

SettingsReport ThroughSelectionLists(const SettingsReport& settings) {
  SettingsReport image = settings;
  if (image[ReportOffset::BoardId] >= BoardIdCount) image[ReportOffset::BoardId] = NoSelection;
  if (image[ReportOffset::Mode] >= ModeCount) image[ReportOffset::Mode] = NoSelection;
  return image;
}

SettingsReport SaveImage(const SettingsReport& settings, const SettingsReport& lastReply) {
  SettingsReport image = settings;
  image[ReportOffset::ReportId] = 0;
  image[ReportOffset::Command] = CommandStore;
  image[ReportOffset::Reserved] = lastReply[ReportOffset::Reserved];
  return image;
}

SettingsReport ExportImage(const SettingsReport& settings) {
  SettingsReport image = settings;
  image[ReportOffset::ReportId] = 0;
  image[ReportOffset::Command] = 0;
  image[ReportOffset::Reserved] = 0;
  return image;
}

}  // namespace qor
