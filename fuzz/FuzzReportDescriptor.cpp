// Any byte string must give a length or nullopt, never a read out of bounds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto length = qor::FeatureReportByteLength(std::span<const std::uint8_t>(data, size));
  // A report's length, ID byte included, fits 16 bits.
  if (length && (*length < 0 || *length > 0xFFFF)) std::abort();
  return 0;
}
