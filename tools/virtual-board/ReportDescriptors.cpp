#include "tools/virtual-board/ReportDescriptors.h"

#include <array>

namespace qor::virtualboard {
namespace {

// A vendor-defined application collection holding `count` bytes of feature data.
constexpr std::array<std::uint8_t, 21> VendorFeatureDescriptor(std::uint8_t count) {
  return {
      0x06, 0x00,  0xFF,  // Usage Page (vendor defined 0xFF00)
      0x09, 0x01,         // Usage (1)
      0xA1, 0x01,         // Collection (Application)
      0x09, 0x02,         //   Usage (2)
      0x15, 0x00,         //   Logical Minimum (0)
      0x26, 0xFF,  0x00,  //   Logical Maximum (255)
      0x75, 0x08,         //   Report Size (8)
      0x95, count,        //   Report Count (count)
      0xB1, 0x02,         //   Feature (Data, Variable, Absolute)
      0xC0,               // End Collection
  };
}

constexpr auto Configuration = VendorFeatureDescriptor(32);
constexpr auto WideFeature = VendorFeatureDescriptor(64);

constexpr std::uint8_t Joystick[] = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x04,        // Usage (Joystick)
    0xA1, 0x01,        // Collection (Application)
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x15, 0x00,        //     Logical Minimum (0)
    0x26, 0xFF, 0x00,  //     Logical Maximum (255)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x02,        //     Report Count (2)
    0x81, 0x02,        //     Input (Data, Variable, Absolute)
    0xC0,              //   End Collection
    0x05, 0x09,        //   Usage Page (Button)
    0x19, 0x01,        //   Usage Minimum (1)
    0x29, 0x08,        //   Usage Maximum (8)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0xC0,              // End Collection
};

}  // namespace

std::span<const std::uint8_t> ConfigurationDescriptor() { return Configuration; }
std::span<const std::uint8_t> WideFeatureDescriptor() { return WideFeature; }
std::span<const std::uint8_t> JoystickDescriptor() { return Joystick; }

}  // namespace qor::virtualboard
