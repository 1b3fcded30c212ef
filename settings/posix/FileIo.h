#pragma once
// The descriptor-level steps the settings file reader and writer share.

#include <cstddef>
#include <cstdint>

namespace qor::fileio {

// Reads until size bytes or the end; the count read, or -1 (errno set) when
// a read fails.
long ReadFully(int fd, std::uint8_t* buffer, std::size_t size);

// Writes all bytes; false (errno set) when a write fails or writes nothing.
bool WriteFully(int fd, const std::uint8_t* buffer, std::size_t size);

// Files are opened without blocking, so that a FIFO with nobody at the other
// end fails or reads as empty instead of hanging; the transfer itself then
// blocks as usual.
bool MakeBlocking(int fd);

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, so that
// no board or file opened later takes its number and gets what is meant for
// the stream. Opened the contrary way (standard input for writing, the others
// for reading), so that using the closed stream still fails (EBADF). Called
// first thing by each program; false when /dev/null cannot be opened.
bool OpenStandardDescriptors();

}  // namespace qor::fileio
