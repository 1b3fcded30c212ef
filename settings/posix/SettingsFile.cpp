#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "settings/posix/FileIo.h"
#include "settings/posix/UniqueFd.h"

namespace qor {

FileReadResult ReadSettingsStream(int fd, SettingsReport& image, FileLength length) {
  // One byte more tells a longer file.
  std::array<std::uint8_t, SettingsReportSize + 1> buffer{};
  const long read =
      fileio::ReadFully(fd, buffer.data(), length == FileLength::Exactly ? buffer.size() : SettingsReportSize);
  if (read < 0) return {FileReadOutcome::Corrupt, errno};
  if (static_cast<std::size_t>(read) < SettingsReportSize)
    return {FileReadOutcome::Corrupt, 0, static_cast<std::size_t>(read)};
  if (static_cast<std::size_t>(read) > SettingsReportSize) return {FileReadOutcome::TooLong};
  std::copy_n(buffer.begin(), SettingsReportSize, image.begin());
  return {};
}

FileReadResult ReadSettingsFile(const std::string& path, SettingsReport& image, ReadableFiles accepted,
                                FileLength length) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd) return {FileReadOutcome::OpenFailed, errno};
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return {FileReadOutcome::OpenFailed, errno};
  if (S_ISDIR(st.st_mode)) return {FileReadOutcome::OpenFailed, EISDIR};
  if (accepted == ReadableFiles::RegularOnly && !S_ISREG(st.st_mode)) return {FileReadOutcome::OpenFailed, EINVAL};
  if (!fileio::MakeBlocking(fd.Get())) return {FileReadOutcome::OpenFailed, errno};
  if (length == FileLength::Exactly && S_ISREG(st.st_mode) && st.st_size > static_cast<off_t>(SettingsReportSize))
    return {FileReadOutcome::TooLong, 0, static_cast<std::size_t>(st.st_size)};
  return ReadSettingsStream(fd.Get(), image, length);
}

}  // namespace qor
