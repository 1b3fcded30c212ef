#include "settings/SettingsImages.h"

namespace qor {
namespace {

constexpr std::uint8_t NoSelection = 0xFF;

}  // namespace

SettingsReport ThroughSelectionLists(const SettingsReport& settings) {
  SettingsReport image = settings;
  if (image[report_offset::BoardId] >= BoardIdCount) image[report_offset::BoardId] = NoSelection;
  if (image[report_offset::Mode] >= ModeCount) image[report_offset::Mode] = NoSelection;
  return image;
}

SettingsReport SaveImage(const SettingsReport& settings, const SettingsReport& lastReply) {
  SettingsReport image = settings;
  image[report_offset::ReportId] = 0;
  image[report_offset::Command] = CommandStore;
  image[report_offset::Reserved] = lastReply[report_offset::Reserved];
  return image;
}

SettingsReport ExportImage(const SettingsReport& settings) {
  SettingsReport image = settings;
  image[report_offset::ReportId] = 0;
  image[report_offset::Command] = 0;
  image[report_offset::Reserved] = 0;
  return image;
}

}  // namespace qor
