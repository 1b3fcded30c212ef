#pragma once
// The board transactions: every exchange with a board is a short blocking
// sequence of 33-byte feature report transfers through the ReportImage.
// The program holds one DeviceLink for its whole run; tests make their own.

#include <cstddef>

#include "device/DeviceTable.h"
#include "device/HidPlatform.h"
#include "settings/SettingsReport.h"

namespace qor {

constexpr std::size_t IdentificationTextCapacity = 32;  // 31 characters and a zero
constexpr int IdentifyPauseMs = 30;
constexpr int SavePauseMs = 500;
// A board whose read-back keeps differing is given up on after this many writes.
constexpr int MaxSaveAttempts = 5;

enum class SaveOutcome { Saved, CommunicationFailure };

class DeviceLink {
 public:
  explicit DeviceLink(HidPlatform& platform) : m_Platform(platform), m_Table(platform) {}
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  DeviceTable& Table() { return m_Table; }
  const DeviceTable& Table() const { return m_Table; }

  // Every transfer sends from or receives into this buffer; 33 zeros at
  // start. Only the link's operations write it.
  const SettingsReport& ReportImage() const { return m_ReportImage; }
  // Filled by IdentifyDevice; the device list entries are built from it.
  char IdentificationText[IdentificationTextCapacity]{};

  // Both set byte 0 of the ReportImage to 0 and fail without a device call
  // when the handle is not open or the length exceeds the image.
  bool GetFeatureReport(HidHandle handle, int length);
  bool SetFeatureReport(HidHandle handle, int length);

  // Reads the board's identification text into textArea (capacity bytes,
  // zero-filled after the text) and leaves the settings reply selected.
  bool IdentifyDevice(int row, char* textArea, std::size_t capacity);
  // One read; the settings reply is selected after every completed transaction.
  bool ReadDeviceSettings(int row);
  // Writes `image` (see SaveImage) through the ReportImage and verifies it by read-back.
  SaveOutcome SaveDeviceSettings(int row, const SettingsReport& image);

 private:
  HidPlatform& m_Platform;
  DeviceTable m_Table;
  SettingsReport m_ReportImage{};
};

}  // namespace qor
