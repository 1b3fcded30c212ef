#include "device/windows/HidInterfaces.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/windows/HidOwners.h"

namespace qor {
namespace {

// The size first, then the detail into a buffer of that size, released
// after this interface.
std::optional<std::string> DevicePath(HidApi& api, HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data,
                                      SP_DEVINFO_DATA& device) {
  DWORD required = 0;
  api.SetupDiGetDeviceInterfaceDetailA(list, &data, nullptr, 0, &required, nullptr);
  if (required <= offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath)) return std::nullopt;
  // Aligned for the structure that heads the buffer, and never smaller than it.
  const std::size_t size = std::max<std::size_t>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
  std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (!api.SetupDiGetDeviceInterfaceDetailA(list, &data, detail, required, nullptr, &device)) return std::nullopt;
  // The path ends at its zero or at the end of what the system said it needs.
  const char* path = detail->DevicePath;
  const std::size_t room = required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
  std::size_t length = 0;
  while (length < room && path[length] != '\0') ++length;
  return std::string(path, length);
}

}  // namespace

void ForEachHidInterface(HidApi& api, const InterfaceVisitor& visit) {
  GUID hidClass{};
  api.HidD_GetHidGuid(&hidClass);
  const DeviceInfoList list(api, api.SetupDiGetClassDevsA(&hidClass, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  if (!list) return;
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!api.SetupDiEnumDeviceInterfaces(list.Get(), &hidClass, index, &data)) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!visit(DevicePath(api, list.Get(), data, device), list.Get(), device)) return;
  }
}

}  // namespace qor
