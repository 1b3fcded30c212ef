#include "device/DeviceTable.h"

namespace qor {

std::optional<std::uint16_t> ConfigurationProductId(HidPlatform& platform, HidHandle handle) {
  HidAttributes attributes;
  int length = 0;
  if (!platform.GetAttributes(handle, attributes) || !IsQorProduct(attributes.VendorId, attributes.ProductId) ||
      !platform.GetFeatureReportLength(handle, length) || length != ConfigurationReportLength) {
    return std::nullopt;
  }
  return attributes.ProductId;
}

void DeviceTable::CloseAll() {
  for (int row = 0; row < m_Count; ++row) {
    m_Platform.Close(m_Entries[row].Handle);
    m_Entries[row] = DeviceEntry{};
  }
  m_Count = 0;
}

void DeviceTable::Scan() {
  // Every old handle is closed before any new one is opened.
  CloseAll();
  m_Beyond.clear();
  m_Unopened.clear();

  for (const auto& path : m_Platform.ListInterfaces()) {
    if (!path) continue;
    // Later interfaces are never opened once the table is full, only noted.
    if (m_Count == Capacity) {
      m_Beyond.push_back(*path);
      continue;
    }
    const HidHandle handle = m_Platform.Open(*path);
    if (handle == InvalidHidHandle) {
      m_Unopened.push_back({*path, m_Platform.OpenError()});
      continue;
    }

    const std::optional<std::uint16_t> productId = ConfigurationProductId(m_Platform, handle);
    if (!productId) {
      m_Platform.Close(handle);
      continue;
    }
    m_Entries[m_Count++] = DeviceEntry{handle, ConfigurationReportLength, *path, *productId};
  }
}

}  // namespace qor
