#pragma once
// The operating system's HID services, as far as the device link needs them.
// device/linux implements it on hidraw; sim/ implements it with virtual boards.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qor {

using HidHandle = int;
constexpr HidHandle InvalidHidHandle = -1;

struct HidAttributes {
  std::uint16_t VendorId = 0;
  std::uint16_t ProductId = 0;
};

class HidPlatform {
 public:
  virtual ~HidPlatform() = default;

  // The present HID interfaces in enumeration order, each with the path of its
  // device file, or nullopt where the path could not be fetched. A list that
  // cannot be obtained is empty; an enumeration that fails part-way ends there.
  virtual std::vector<std::optional<std::string>> ListInterfaces() = 0;

  // InvalidHidHandle when the interface cannot be opened; OpenError() then
  // tells why.
  virtual HidHandle Open(const std::string& path) = 0;
  // The system's reason the last failed Open failed (settings/SystemError.h).
  virtual int OpenError() const = 0;
  virtual bool GetAttributes(HidHandle handle, HidAttributes& attributes) = 0;
  // The longest feature report in bytes, report ID byte included.
  virtual bool GetFeatureReportLength(HidHandle handle, int& length) = 0;

  // Feature report transfers of exactly `length` bytes; buffer[0] is the
  // report ID. True only when all `length` bytes moved.
  virtual bool GetFeature(HidHandle handle, std::uint8_t* buffer, int length) = 0;
  virtual bool SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) = 0;

  virtual void Close(HidHandle handle) = 0;
  virtual void Pause(int milliseconds) = 0;
};

}  // namespace qor
