#pragma once
// The present HID interfaces, as SetupAPI lists them.

#include <functional>
#include <optional>
#include <string>

#include "device/windows/HidApi.h"

namespace qor {

// For member index 0, 1, 2, ... until the enumeration fails, calls visit with
// the interface's device path (nullopt where it cannot be fetched), the list
// and the interface's device, while visit returns true. A list that cannot be
// obtained visits nothing; it is destroyed afterwards.
using InterfaceVisitor =
    std::function<bool(const std::optional<std::string>& path, HDEVINFO list, SP_DEVINFO_DATA& device)>;
void ForEachHidInterface(HidApi& api, const InterfaceVisitor& visit);

}  // namespace qor
