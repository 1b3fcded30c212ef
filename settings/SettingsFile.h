#pragma once
// Reading and writing *.qos settings files: exactly the 33-byte settings
// image, no header.

#include <string>

#include "settings/SettingsReport.h"

namespace qor {

enum class FileReadOutcome {
  Ok,
  OpenFailed,  // missing, unreadable, or not a regular file
  Corrupt,     // fewer than 33 bytes
};

// Reads the first 33 bytes of the file into image; bytes after them are not
// read. The image is changed only when the outcome is Ok.
FileReadOutcome ReadSettingsFile(const std::string& path, SettingsReport& image);

enum class FileWriteOutcome {
  Ok,
  OpenFailed,   // the folder or the existing file may not be written
  WriteFailed,  // the write, flush or close failed; the old file is kept
};

// Replaces the file with the image. The bytes go to a temporary file in the
// same folder first and are renamed over the target only once written,
// flushed and closed, so a failure never destroys an existing file. A link is
// followed and stays a link; a device or other special file is written in place.
FileWriteOutcome WriteSettingsFile(const std::string& path, const SettingsReport& image);

}  // namespace qor
