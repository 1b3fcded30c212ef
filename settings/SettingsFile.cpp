#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace qor {
namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::size_t ReadFully(int fd, std::uint8_t* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool WriteFully(int fd, const std::uint8_t* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A link is followed, so its target is replaced as a plain write would and the
// link stays a link. Links are followed one by one rather than resolved as a
// whole, because a link whose target does not exist yet must still lead there.
std::string ResolveTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;  // the kernel's own limit; a loop then fails to open
  std::string current = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), link, sizeof link);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof link) return current;
    const std::string next(link, static_cast<std::size_t>(n));
    current = next.front() == '/' ? next : FolderOf(current) + next;
  }
  return current;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Devices and other special files cannot be replaced; they are written in place.
// Opening without blocking keeps a FIFO that nobody reads from hanging the
// program; the writes themselves block as usual.
FileWriteOutcome WriteInPlace(const std::string& path, const SettingsReport& image) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) return FileWriteOutcome::OpenFailed;
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return FileWriteOutcome::OpenFailed;
  if (!WriteFully(fd.get(), image.data(), image.size())) return FileWriteOutcome::WriteFailed;
  return fd.Close() ? FileWriteOutcome::Ok : FileWriteOutcome::WriteFailed;
}

FileWriteOutcome WriteByRename(const std::string& target, mode_t mode, const SettingsReport& image) {
  const std::string folder = FolderOf(target);
  const std::string name = target.substr(folder.size());
  // An empty path names no file to replace.
  if (name.empty()) return FileWriteOutcome::OpenFailed;
  std::string pattern = folder + "." + name + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');

  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.valid()) return FileWriteOutcome::OpenFailed;

  const bool written = ::fchmod(fd.get(), mode) == 0 && WriteFully(fd.get(), image.data(), image.size()) &&
                       ::fsync(fd.get()) == 0;
  const bool closed = fd.Close();
  if (!written || !closed || ::rename(temp.data(), target.c_str()) != 0) {
    ::unlink(temp.data());
    return FileWriteOutcome::WriteFailed;
  }
  return FileWriteOutcome::Ok;
}

}  // namespace

FileReadOutcome ReadSettingsFile(const std::string& path, SettingsReport& image) {
  // Not blocking on open keeps a FIFO from hanging the program.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) return FileReadOutcome::OpenFailed;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return FileReadOutcome::OpenFailed;

  SettingsReport buffer{};
  if (ReadFully(fd.get(), buffer.data(), buffer.size()) < buffer.size()) return FileReadOutcome::Corrupt;
  image = buffer;
  return FileReadOutcome::Ok;
}

FileWriteOutcome WriteSettingsFile(const std::string& path, const SettingsReport& image) {
  const std::string target = ResolveTarget(path);
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) return FileWriteOutcome::OpenFailed;
    return WriteByRename(target, NewFileMode(), image);
  }
  if (!S_ISREG(st.st_mode)) return WriteInPlace(target, image);
  // An existing file the user may not write is not replaced behind its back.
  if (::access(target.c_str(), W_OK) != 0) return FileWriteOutcome::OpenFailed;
  return WriteByRename(target, st.st_mode & 07777, image);
}

}  // namespace qor
