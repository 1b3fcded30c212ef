#pragma once
// The kernel calls on a hidraw node, and nothing else. Each call returns a
// non-negative result or a negative errno value; interrupted calls are retried.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qor::hidraw {

// A descriptor of the node, or -errno (ENODEV for anything but a character
// device). It is opened read-only: feature reports need no more, and no
// write() can then reach the board as an output report.
int OpenNode(const char* path);
void CloseNode(int fd);

// HIDIOCGRAWINFO: 0 or -errno.
int GetDeviceIds(int fd, std::uint16_t& vendorId, std::uint16_t& productId);
// HIDIOCGRDESCSIZE and HIDIOCGRDESC: 0 or -errno.
int GetReportDescriptor(int fd, std::vector<std::uint8_t>& descriptor);

// HIDIOCGFEATURE / HIDIOCSFEATURE: the number of bytes moved, or -errno.
// buffer[0] is the report ID; length must lie in 1..MaxFeatureLength.
constexpr std::size_t MaxFeatureLength = 0x3FFF;  // the size field of an ioctl number
int GetFeature(int fd, std::uint8_t* buffer, std::size_t length);
int SetFeature(int fd, const std::uint8_t* buffer, std::size_t length);

}  // namespace qor::hidraw
