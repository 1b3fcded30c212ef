#pragma once
// The system's reason for a failed file or device call. The number is errno
// on Linux and a Windows error code on Windows: shared code only hands it
// to these functions, so each platform keeps its own numbers.

#include <string>

namespace qor {

// The reason in the system's own words ("Permission denied").
std::string SystemErrorText(int error);

// The user may not do this here: a permission, a read-only medium.
bool IsPermissionError(int error);

// An open refused for want of access rights, the one failure an access rule
// mends; a read-only medium is not one.
bool IsAccessDenied(int error);

// A read from a descriptor that is not open for reading.
bool IsNotOpenForReading(int error);

}  // namespace qor
