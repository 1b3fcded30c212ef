#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "settings/FileIo.h"

namespace qor {

using fileio::FileDescriptor;

FileReadResult ReadSettingsStream(int fd, SettingsReport& image) {
  SettingsReport buffer{};
  const long read = fileio::ReadFully(fd, buffer.data(), buffer.size());
  if (read < 0) return {FileReadOutcome::Corrupt, errno};
  if (static_cast<std::size_t>(read) < buffer.size())
    return {FileReadOutcome::Corrupt, 0, static_cast<std::size_t>(read)};
  image = buffer;
  return {};
}

FileReadResult ReadSettingsFile(const std::string& path, SettingsReport& image, ReadableFiles accepted) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd.Valid()) return {FileReadOutcome::OpenFailed, errno};
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return {FileReadOutcome::OpenFailed, errno};
  if (S_ISDIR(st.st_mode)) return {FileReadOutcome::OpenFailed, EISDIR};
  if (accepted == ReadableFiles::RegularOnly && !S_ISREG(st.st_mode)) return {FileReadOutcome::OpenFailed, EINVAL};
  if (!fileio::MakeBlocking(fd.Get())) return {FileReadOutcome::OpenFailed, errno};
  return ReadSettingsStream(fd.Get(), image);
}

}  // namespace qor
