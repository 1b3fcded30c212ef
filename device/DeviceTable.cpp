#include "device/DeviceTable.h"

namespace qor {

void DeviceTable::CloseAll() {
  for (int row = 0; row < count_; ++row) {
    platform_.Close(entries_[row].Handle);
    entries_[row] = DeviceEntry{};
  }
  count_ = 0;
}

void DeviceTable::Scan() {
  // Every old handle is closed before any new one is opened.
  CloseAll();

  for (const auto& path : platform_.ListInterfaces()) {
    if (!path) continue;
    const HidHandle handle = platform_.Open(*path);
    if (handle == InvalidHidHandle) continue;

    HidAttributes attributes;
    int length = 0;
    if (!platform_.GetAttributes(handle, attributes) || !IsQorProduct(attributes.VendorId, attributes.ProductId) ||
        !platform_.GetFeatureReportLength(handle, length) || length != ConfigurationReportLength) {
      platform_.Close(handle);
      continue;
    }
    entries_[count_++] = DeviceEntry{handle, length, *path, attributes.ProductId};
    // Later interfaces are never opened once the table is full.
    if (count_ == Capacity) break;
  }
}

}  // namespace qor
