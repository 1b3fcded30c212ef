#include "device/DeviceLink.h"

#include <algorithm>
#include <cstring>

namespace qor {
namespace {

bool TransferPossible(HidHandle handle, int length) {
  return handle != InvalidHidHandle && length > 0 && length <= static_cast<int>(SettingsReportSize);
}

}  // namespace

bool DeviceLink::GetFeatureReport(HidHandle handle, int length) {
  m_ReportImage[report_offset::ReportId] = 0;
  if (!TransferPossible(handle, length)) return false;
  return m_Platform.GetFeature(handle, m_ReportImage.data(), length);
}

bool DeviceLink::SetFeatureReport(HidHandle handle, int length) {
  m_ReportImage[report_offset::ReportId] = 0;
  if (!TransferPossible(handle, length)) return false;
  return m_Platform.SetFeature(handle, m_ReportImage.data(), length);
}

bool DeviceLink::IdentifyDevice(int row, char* textArea, std::size_t capacity) {
  const DeviceEntry& entry = m_Table.Entry(row);

  // The identify command selects the identification reply for the next read;
  // bytes 2..32 carry whatever the image last held.
  m_ReportImage[report_offset::Command] = CommandIdentify;
  if (!SetFeatureReport(entry.Handle, entry.ReportLength)) return false;
  m_Platform.Pause(IdentifyPauseMs);
  if (!GetFeatureReport(entry.Handle, entry.ReportLength)) return false;

  // The text ends at the first zero byte, or after 31 characters.
  if (capacity > 0) {
    const char* reply = reinterpret_cast<const char*>(m_ReportImage.data() + 2);
    const std::size_t limit = std::min(SettingsReportSize - 2, capacity - 1);
    const std::size_t length = strnlen(reply, limit);
    std::memcpy(textArea, reply, length);
    std::memset(textArea + length, 0, capacity - length);
  }

  // Select the settings reply again; bytes 2..32 still hold the identification.
  m_ReportImage[report_offset::Command] = CommandSelectSettings;
  if (!SetFeatureReport(entry.Handle, entry.ReportLength)) return false;
  m_Platform.Pause(IdentifyPauseMs);
  return GetFeatureReport(entry.Handle, entry.ReportLength);
}

bool DeviceLink::ReadDeviceSettings(int row) {
  const DeviceEntry& entry = m_Table.Entry(row);
  return GetFeatureReport(entry.Handle, entry.ReportLength);
}

SaveOutcome DeviceLink::SaveDeviceSettings(int row, const SettingsReport& image) {
  const DeviceEntry& entry = m_Table.Entry(row);
  // Every transfer carries report ID 0, so that is what the board echoes.
  SettingsReport expected = image;
  expected[report_offset::ReportId] = 0;
  for (int attempt = 0; attempt < MaxSaveAttempts; ++attempt) {
    m_ReportImage = expected;
    if (!SetFeatureReport(entry.Handle, entry.ReportLength)) return SaveOutcome::CommunicationFailure;
    m_Platform.Pause(SavePauseMs);
    if (!GetFeatureReport(entry.Handle, entry.ReportLength)) return SaveOutcome::CommunicationFailure;
    if (m_ReportImage == expected) return SaveOutcome::Saved;
  }
  // The board never echoed what was written.
  return SaveOutcome::CommunicationFailure;
}

}  // namespace qor
