#pragma once
// What the guest tests do with the real backend: the main window's scan
// (scan, identify every row) and the preparation of a save.

#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/linux/LinuxHidPlatform.h"

namespace qor::guest {

// The identification text of every row, in row order; a row whose
// identification fails is listed as "<failed>".
std::vector<std::string> ScanAndIdentify(DeviceLink& link);

// The device paths of the rows, found through their open handles, in row order.
std::vector<std::string> RowNodes(DeviceLink& link, const std::vector<std::string>& candidates);

// Bytes 2..32 as the 62 hex digits qor-virtual-board takes.
std::string SettingsHex(const SettingsReport& settings);

// Open descriptors of this process.
int OpenDescriptorCount();

}  // namespace qor::guest
