#pragma once
// The table of open QOR boards, rebuilt by every scan. A row's index is the
// board's index in the device list.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/HidPlatform.h"

namespace qor {

constexpr std::uint16_t QorVendorId = 0x16C0;
constexpr std::uint16_t QorFirstProductId = 0x07B3;
constexpr std::uint16_t QorLastProductId = 0x07BA;
// Report ID byte plus 32 data bytes: how a configuration interface is recognised.
constexpr int ConfigurationReportLength = 33;

constexpr bool IsQorProduct(std::uint16_t vendorId, std::uint16_t productId) {
  return vendorId == QorVendorId && productId >= QorFirstProductId && productId <= QorLastProductId;
}

// An interface the scan listed but could not open, and the system's reason.
struct UnopenedInterface {
  std::string Path;
  int Error = 0;
};

struct DeviceEntry {
  HidHandle Handle = InvalidHidHandle;
  int ReportLength = 0;
  std::string Path{};  // the interface's device file, as listed
  std::uint16_t ProductId = 0;
};

// The product ID of an open interface that is a QOR board's configuration
// interface (QOR's IDs, a 33-byte feature report); nullopt for any other.
std::optional<std::uint16_t> ConfigurationProductId(HidPlatform& platform, HidHandle handle);

class DeviceTable {
 public:
  static constexpr int Capacity = 10;

  explicit DeviceTable(HidPlatform& platform) : m_Platform(platform) {}
  DeviceTable(const DeviceTable&) = delete;
  DeviceTable& operator=(const DeviceTable&) = delete;
  // The table owns its handles: none stays open after it.
  ~DeviceTable() { CloseAll(); }

  // Closes every row, then opens the configuration interfaces of the attached
  // boards in enumeration order, at most Capacity of them.
  void Scan();
  // The interfaces the last scan listed after the table was full, never
  // opened: where qorctl looks for boards beyond the table without listing
  // the interfaces again.
  const std::vector<std::string>& InterfacesBeyond() const { return m_Beyond; }
  // The interfaces the last scan could not open, in its order: where a QOR
  // board closed to this user is found without opening anything again.
  const std::vector<UnopenedInterface>& Unopened() const { return m_Unopened; }

  int Count() const { return m_Count; }
  // Callers pass indices below Count() only.
  const DeviceEntry& Entry(int row) const { return m_Entries[row]; }
  DeviceEntry& Entry(int row) { return m_Entries[row]; }

 private:
  void CloseAll();

  HidPlatform& m_Platform;
  std::array<DeviceEntry, Capacity> m_Entries{};
  int m_Count = 0;
  std::vector<std::string> m_Beyond{};
  std::vector<UnopenedInterface> m_Unopened{};
};

}  // namespace qor
