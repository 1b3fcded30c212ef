#pragma once
// Reading the feature report length out of a HID report descriptor, the way
// Windows' HidP_GetCaps reports FeatureReportByteLength.

#include <cstdint>
#include <optional>
#include <span>

namespace qor {

// The longest feature report in bytes, plus one byte for the report ID (also
// when the device uses no report IDs); 0 when there is no feature report.
//
// Per report ID, the Report Size x Report Count of every Feature item with
// that ID are summed and the bits rounded up to whole bytes. A report ID that
// only input or output items use adds nothing; a Feature item of zero bits
// still makes its report exist (one byte, the ID).
//
// nullopt for a malformed descriptor: an item cut off by the end, Pop on an
// empty stack or Push beyond the depth Linux accepts, Report ID 0 or above
// 255, End Collection without an open collection, a collection left open at
// the end (Windows and Linux both refuse such a device), or a report whose
// length with its ID byte does not fit the 16 bits Windows reports it in.
// An empty descriptor is a well-formed list of no items: 0.
std::optional<int> FeatureReportByteLength(std::span<const std::uint8_t> descriptor);

}  // namespace qor
