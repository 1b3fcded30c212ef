#pragma once
// Owners of what the Windows backend gets from the system (an interface
// list, a device handle, preparsed data), each freed through the same HidApi
// that gave it, on every path, once.

#include <utility>

#include "device/windows/HidApi.h"

namespace qor {

template <typename Handle, auto Invalid, auto Free>
class HidOwned {
 public:
  HidOwned(HidApi& api, Handle handle) : m_Api(&api), m_Handle(handle) {}
  HidOwned(HidOwned&& other) noexcept : m_Api(other.m_Api), m_Handle(std::exchange(other.m_Handle, Invalid())) {}
  HidOwned& operator=(HidOwned&& other) noexcept {
    std::swap(m_Api, other.m_Api);
    std::swap(m_Handle, other.m_Handle);
    return *this;
  }
  HidOwned(const HidOwned&) = delete;
  HidOwned& operator=(const HidOwned&) = delete;
  ~HidOwned() {
    if (*this) (m_Api->*Free)(m_Handle);
  }

  Handle Get() const { return m_Handle; }
  explicit operator bool() const { return m_Handle != Invalid() && m_Handle != nullptr; }

 private:
  HidApi* m_Api;
  Handle m_Handle;
};

inline HDEVINFO NoDeviceList() { return INVALID_HANDLE_VALUE; }
inline HANDLE NoDevice() { return INVALID_HANDLE_VALUE; }
inline PHIDP_PREPARSED_DATA NoPreparsedData() { return nullptr; }

using DeviceInfoList = HidOwned<HDEVINFO, NoDeviceList, &HidApi::SetupDiDestroyDeviceInfoList>;
using DeviceHandle = HidOwned<HANDLE, NoDevice, &HidApi::CloseHandle>;
using PreparsedData = HidOwned<PHIDP_PREPARSED_DATA, NoPreparsedData, &HidApi::HidD_FreePreparsedData>;

}  // namespace qor
