// How an export reaches the disk.
//
// The path is opened as the user named it, so the kernel follows any link
// under its own protections (fs.protected_symlinks among them); nothing here
// resolves a link to choose what to open. What the open finds decides the way:
// - a regular file named directly (or nothing there yet) with one link, owned
//   by the user, without ACL or extended attributes, is replaced by rename: the
//   bytes go to a temporary file in the same folder first, so a full disk
//   never destroys the old file;
// - every other file (reached through a link, another user's, with other hard
//   links, an ACL or attributes), and a file whose rename road cannot start or
//   finish for a reason other than the disk, is written in place through the
//   descriptor of the open, so it keeps its owner, ACL, attributes and links;
// - devices, FIFOs and terminals are written through the path as given, and a
//   file reached through a descriptor link (/dev/stdout, /proc/self/fd/N) is
//   written at its end, as the shell's ">>" promised.

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <regex>

#include "settings/FileIo.h"
#include "settings/SettingsFile.h"

namespace qor {
namespace {

using fileio::FileDescriptor;

// No create, no truncate: what is there stays as it is until the way is chosen.
constexpr int OpenFlags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
constexpr int MaxLinks = 40;  // the kernel's own limit

FileWriteResult OpenFailed(int error) { return {FileWriteOutcome::OpenFailed, error}; }
FileWriteResult WriteFailed(int error) { return {FileWriteOutcome::WriteFailed, error}; }

// The disk could not take the bytes, as opposed to the user not being
// allowed to put them there.
bool IsDiskError(int error) { return error == ENOSPC || error == EDQUOT || error == EIO || error == EFBIG; }

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool HasExtendedAttributes(int fd) {
  const ssize_t size = ::flistxattr(fd, nullptr, 0);
  return size != 0 && !(size < 0 && errno == ENOTSUP);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// ---- Opening ----------------------------------------------------------------

struct OpenedTarget {
  FileDescriptor Fd;
  bool ThroughDescriptorLink = false;
  int Error = 0;
};

bool IsDescriptorFolder(const std::string& folder) {
  static const std::regex Descriptors("/proc/[^/]+(/task/[^/]+)?/fd");
  return std::regex_match(folder, Descriptors);
}

// Without openat2 (an older kernel, an emulator, a sandbox) whether a path
// passes a descriptor link is read from the links on its way. This only
// chooses how the file is opened; the kernel still follows the links.
bool ReachedThroughDescriptorLink(std::string hop) {
  for (int i = 0; i < MaxLinks; ++i) {
    const std::string folder = FolderOf(hop);
    char real[PATH_MAX];
    if (::realpath(folder.empty() ? "." : folder.c_str(), real) != nullptr && IsDescriptorFolder(real)) return true;
    struct stat st {};
    if (::lstat(hop.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(hop.c_str(), link, sizeof link);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof link) return false;
    const std::string next(link, static_cast<std::size_t>(n));
    hop = next.front() == '/' ? next : folder + next;
  }
  return false;
}

// Opens what the path names. The kernel refuses to pass a descriptor link
// when asked to, which tells such a path apart; it is opened for appending.
OpenedTarget OpenExisting(const std::string& path) {
  open_how how{};
  how.flags = OpenFlags;
  how.resolve = RESOLVE_NO_MAGICLINKS;
  const long fd = ::syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how);
  if (fd >= 0) return {FileDescriptor(static_cast<int>(fd)), false, 0};
  // ELOOP: a descriptor link, or a loop of links that the open below reports.
  // ENOSYS, or EPERM from a sandbox's filter (older container runtimes refuse
  // system calls they do not know so): no openat2; the open below decides.
  if (errno != ELOOP && errno != ENOSYS && errno != EPERM) return {FileDescriptor(), false, errno};
  const bool throughDescriptor = errno == ELOOP || ReachedThroughDescriptorLink(path);
  FileDescriptor opened(::open(path.c_str(), OpenFlags | (throughDescriptor ? O_APPEND : 0)));
  const int error = opened.Valid() ? 0 : errno;
  return {std::move(opened), throughDescriptor, error};
}

// ---- Writing in place -------------------------------------------------------

// A regular file gets exactly the 33 bytes from its start; a file opened for
// appending, a device, a FIFO or a terminal gets them where it stands.
FileWriteResult WriteInPlace(FileDescriptor& fd, const SettingsReport& image) {
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return OpenFailed(errno);
  if (!fileio::MakeBlocking(fd.Get())) return OpenFailed(errno);
  const bool appending = (::fcntl(fd.Get(), F_GETFL) & O_APPEND) != 0;
  const bool whole = S_ISREG(st.st_mode) && !appending;
  if (whole && ::lseek(fd.Get(), 0, SEEK_SET) != 0) return WriteFailed(errno);
  if (!fileio::WriteFully(fd.Get(), image.data(), image.size())) return WriteFailed(errno);
  if (whole && ::ftruncate(fd.Get(), static_cast<off_t>(image.size())) != 0) return WriteFailed(errno);
  // Only files on a disk can be synced.
  if ((S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)) && ::fsync(fd.Get()) != 0) return WriteFailed(errno);
  if (!fd.Close()) return WriteFailed(errno);
  return {};
}

// ---- Replacing by rename ----------------------------------------------------

// True when a new file in its place changes nothing but the content.
bool ReplaceableByRename(const std::string& path, int fd, const struct stat& st) {
  struct stat named {};
  return ::lstat(path.c_str(), &named) == 0 && S_ISREG(named.st_mode) && SameFile(named, st) && st.st_nlink == 1 &&
         st.st_uid == ::geteuid() && !HasExtendedAttributes(fd);
}

// The temporary file gets the old file's group and mode. When it cannot, or
// when the folder gave it an ACL the old file does not have, a rename would
// change more than the content.
bool TakeOverAttributes(int fd, const struct stat& old) {
  if (HasExtendedAttributes(fd)) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  if (st.st_gid != old.st_gid && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) return false;
  const mode_t mode = old.st_mode & 07777;
  return ::fchmod(fd, mode) == 0 && ::fstat(fd, &st) == 0 && (st.st_mode & 07777) == mode;
}

struct TempFile {
  std::string Path;
  FileDescriptor Fd;
  int Error = 0;
};

// "." and the start of the target's name, then six random characters, as
// long as the target's name (at least 8 bytes): a folder that takes the
// target's name takes this one too.
std::string TempName(const std::string& name, std::size_t length) {
  static const char Chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr std::size_t RandomLength = 6;
  std::random_device random;
  std::string temp = "." + name.substr(0, length - RandomLength - 1);
  for (std::size_t i = 0; i < RandomLength; ++i) temp += Chars[random() % (sizeof Chars - 1)];
  return temp;
}

// Created as a plain create would be: 0666 through the umask and the folder's
// default ACL.
TempFile CreateTemp(const std::string& folder, const std::string& name) {
  constexpr int Attempts = 100;
  int error = EEXIST;
  // The shortest name is the fallback where the folder's own limit is lower.
  for (const std::size_t length : {std::max<std::size_t>(name.size(), 8), std::size_t{7}}) {
    for (int attempt = 0; attempt < Attempts; ++attempt) {
      std::string path = folder + TempName(name, length);
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
      if (fd >= 0) return {std::move(path), FileDescriptor(fd), 0};
      error = errno;
      if (error != EEXIST) break;
    }
    if (error != ENAMETOOLONG) break;
  }
  return {std::string(), FileDescriptor(), error};
}

// Removes the temporary file on every way out but a finished rename.
class TempRemoval {
 public:
  explicit TempRemoval(const std::string& path) : m_Path(path) {}
  ~TempRemoval() {
    if (!m_Path.empty()) ::unlink(m_Path.c_str());
  }
  TempRemoval(const TempRemoval&) = delete;
  TempRemoval& operator=(const TempRemoval&) = delete;
  void Release() { m_Path.clear(); }

 private:
  std::string m_Path;
};

// Writes a temporary file and renames it over `path`, which holds `existing`
// or nothing. Returns nothing when this road is closed for a reason other
// than the disk: the caller then writes in place.
std::optional<FileWriteResult> ReplaceByRename(const std::string& path, const struct stat* existing,
                                               const SettingsReport& image) {
  const std::string folder = FolderOf(path);
  const std::string name = path.substr(folder.size());
  if (name.empty()) return std::nullopt;
  TempFile temp = CreateTemp(folder, name);
  if (!temp.Fd.Valid()) {
    if (IsDiskError(temp.Error)) return WriteFailed(temp.Error);
    return std::nullopt;
  }
  TempRemoval removal(temp.Path);
  if (existing != nullptr && !TakeOverAttributes(temp.Fd.Get(), *existing)) return std::nullopt;
  if (!fileio::WriteFully(temp.Fd.Get(), image.data(), image.size())) return WriteFailed(errno);
  if (::fsync(temp.Fd.Get()) != 0) return WriteFailed(errno);
  if (!temp.Fd.Close()) return WriteFailed(errno);

  // The rename replaces the very file that was checked, or takes the place
  // of nothing; if something else stands there now, it is written in place.
  int renamed = -1;
  if (existing != nullptr) {
    struct stat now {};
    if (::lstat(path.c_str(), &now) != 0 || !SameFile(now, *existing)) return std::nullopt;
    renamed = ::rename(temp.Path.c_str(), path.c_str());
  } else {
    renamed = ::renameat2(AT_FDCWD, temp.Path.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
  }
  if (renamed != 0) {
    if (IsDiskError(errno)) return WriteFailed(errno);
    return std::nullopt;
  }
  removal.Release();
  return FileWriteResult{};
}

}  // namespace

FileWriteResult WriteSettingsFile(const std::string& path, const SettingsReport& image) {
  if (path.empty()) return OpenFailed(ENOENT);
  OpenedTarget target = OpenExisting(path);
  if (target.Fd.Valid()) {
    struct stat st {};
    if (::fstat(target.Fd.Get(), &st) != 0) return OpenFailed(errno);
    if (S_ISREG(st.st_mode) && !target.ThroughDescriptorLink && ReplaceableByRename(path, target.Fd.Get(), st)) {
      if (auto replaced = ReplaceByRename(path, &st, image)) return *replaced;
    }
    return WriteInPlace(target.Fd, image);
  }
  if (target.Error != ENOENT) return OpenFailed(target.Error);

  // Nothing there, or a link to nothing: the kernel creates the link's target
  // as a plain create would, if it lets the link be followed at all.
  struct stat named {};
  const bool link = ::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode);
  if (!link) {
    if (auto created = ReplaceByRename(path, nullptr, image)) return *created;
  }
  FileDescriptor fd(::open(path.c_str(), OpenFlags | O_CREAT, 0666));
  if (!fd.Valid()) return OpenFailed(errno);
  return WriteInPlace(fd, image);
}

FileWriteResult WriteSettingsStream(int fd, const SettingsReport& image) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return OpenFailed(errno);
  if (!fileio::WriteFully(fd, image.data(), image.size())) return WriteFailed(errno);
  if ((S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)) && ::fsync(fd) != 0) return WriteFailed(errno);
  return {};
}

}  // namespace qor
