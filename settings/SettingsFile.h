#pragma once
// Reading and writing *.qos settings files: exactly the 33-byte settings
// image, no header.

#include <string>

#include "settings/SettingsReport.h"

namespace qor {

enum class FileReadOutcome {
  Ok,
  OpenFailed,  // missing, unreadable, a folder, or a kind of file not accepted
  Corrupt,     // fewer than 33 bytes
  TooLong,     // more than 33 bytes where exactly 33 are asked for
};

struct FileReadResult {
  FileReadOutcome Outcome = FileReadOutcome::Ok;
  int Error = 0;           // the system's reason (an errno value); 0 for a short file
  std::size_t Length = 0;  // the bytes a short or long file holds; 0 for a long stream
};

// The window reads regular files only; qorctl also reads pipes, terminals
// and devices, as a stream.
enum class ReadableFiles { RegularOnly, AnyKind };

// An import takes the first 33 bytes of a longer file, as the window does; a
// file that is changed in place must hold exactly the 33 bytes, so that
// writing it back loses nothing.
enum class FileLength { AtLeast, Exactly };

// Reads the first 33 bytes of the file into image; with AtLeast, bytes after
// them are not read. The image is changed only when the outcome is Ok.
FileReadResult ReadSettingsFile(const std::string& path, SettingsReport& image,
                                ReadableFiles accepted = ReadableFiles::RegularOnly,
                                FileLength length = FileLength::AtLeast);

// The same from an open descriptor (standard input), which stays open.
FileReadResult ReadSettingsStream(int fd, SettingsReport& image, FileLength length = FileLength::AtLeast);

enum class FileWriteOutcome {
  Ok,
  OpenFailed,   // the file may not be opened or created for writing
  WriteFailed,  // the write, truncation, sync or close failed (disk full, quota, I/O error, size limit)
};

struct FileWriteResult {
  FileWriteOutcome Outcome = FileWriteOutcome::Ok;
  int Error = 0;  // the system's reason (an errno value) of a failure
};

// Writes the image to the file the path names; SettingsFileWriter.cpp states
// the rules: nothing is written where a plain create of the path would be
// refused, a regular file ends holding exactly the 33 bytes and keeps its
// owner, mode, ACL and links, and no temporary file is left behind, whatever
// signal arrives.
FileWriteResult WriteSettingsFile(const std::string& path, const SettingsReport& image);

// The same to an open descriptor (standard output), written where it stands
// and left open. A file size limit fails it (EFBIG) instead of ending the
// program.
FileWriteResult WriteSettingsStream(int fd, const SettingsReport& image);

}  // namespace qor
