#pragma once
// The handle-level steps the settings file reader and writer share.

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace qor::handleio {

// Reads until size bytes or the end (a closed pipe is an end); the count
// read, or -1 (GetLastError set) when a read fails.
long ReadFully(HANDLE handle, std::uint8_t* buffer, std::size_t size);

// Writes all bytes; false (GetLastError set) when a write fails or writes nothing.
bool WriteFully(HANDLE handle, const std::uint8_t* buffer, std::size_t size);

// The error of the call that just failed, as the results carry it.
inline int LastError() { return static_cast<int>(::GetLastError()); }

}  // namespace qor::handleio
