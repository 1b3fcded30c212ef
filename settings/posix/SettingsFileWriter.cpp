// How an export reaches the disk. The writer keeps these rules:
// - Nothing is written where a plain create-or-truncate open of the path by
//   this user would be refused: the first open is that very open, less the
//   truncation, so the kernel alone follows links and applies its protections
//   (permissions, fs.protected_symlinks, protected_regular, protected_fifos).
// - A path that names standard output or standard error (the same file that
//   descriptor has open for writing: "/dev/stdout", "/proc/self/fd/1", the file
//   the shell redirected it to) is written through that descriptor, as it is
//   open: at its end where it was opened for appending.
// - Any other regular file ends holding exactly the 33 bytes, whatever links
//   or /proc magic links lead to it, and keeps its owner, mode, ACL, attributes
//   and hard links. The user's own file with one link and no ACL or attributes,
//   named directly, is replaced by rename, so a full disk never destroys it;
//   every other one is written in place from its start and cut to 33 bytes.
// - A temporary file is created 0600 and given the final mode before any byte
//   is written: nobody reads new content they could not read in the final file.
// - No temporary file survives a signal: while a regular file is written,
//   SIGINT, SIGTERM, SIGHUP and SIGPIPE wait, and one that arrived before the
//   write is committed abandons it before the signal takes its course.
//   SIGXFSZ is ignored, so a file size limit fails the write with EFBIG.
// - Devices, FIFOs and terminals get the 33 bytes written, never a replace; a
//   FIFO without a reader fails instead of blocking.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <optional>
#include <random>

#include "settings/SettingsFile.h"
#include "settings/posix/FileIo.h"
#include "settings/posix/UniqueFd.h"

namespace qor {
namespace {

// A create-style open without truncation: what is there stays as it is until
// the way is chosen.
constexpr int OpenFlags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

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

// ---- Signals ----------------------------------------------------------------

constexpr int DeferredSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
volatile sig_atomic_t caughtSignal = 0;

extern "C" void CatchSignal(int signal) { caughtSignal = signal; }

// Holds back the signals that would end the program while a regular file is
// written, for the whole process (another thread may be the one to receive
// them), and hands a signal that arrived on once the write is over.
class SignalDeferral {
 public:
  SignalDeferral() {
    caughtSignal = 0;
    struct sigaction catching {};
    catching.sa_handler = CatchSignal;
    catching.sa_flags = SA_RESTART;
    sigfillset(&catching.sa_mask);
    for (std::size_t i = 0; i < std::size(DeferredSignals); ++i) {
      ::sigaction(DeferredSignals[i], nullptr, &m_Saved[i]);
      // A signal the program ignores stays ignored: it interrupts nothing.
      if (m_Saved[i].sa_handler != SIG_IGN) ::sigaction(DeferredSignals[i], &catching, nullptr);
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &m_SavedFileSize);
  }
  ~SignalDeferral() {
    ::sigaction(SIGXFSZ, &m_SavedFileSize, nullptr);
    for (std::size_t i = 0; i < std::size(DeferredSignals); ++i) ::sigaction(DeferredSignals[i], &m_Saved[i], nullptr);
    if (caughtSignal != 0) ::raise(caughtSignal);
  }
  SignalDeferral(const SignalDeferral&) = delete;
  SignalDeferral& operator=(const SignalDeferral&) = delete;

  bool Interrupted() const { return caughtSignal != 0; }

 private:
  struct sigaction m_Saved[std::size(DeferredSignals)]{};
  struct sigaction m_SavedFileSize {};
};

// What an abandoned write reports where the program handles the signal itself.
FileWriteResult Abandoned() { return WriteFailed(EINTR); }

// ---- Writing in place -------------------------------------------------------

// Devices, FIFOs and terminals get the bytes where they stand.
FileWriteResult WriteToDevice(UniqueFd& fd, const struct stat& st, const SettingsReport& image) {
  if (!fileio::MakeBlocking(fd.Get())) return OpenFailed(errno);
  if (!fileio::WriteFully(fd.Get(), image.data(), image.size())) return WriteFailed(errno);
  if (S_ISBLK(st.st_mode) && ::fsync(fd.Get()) != 0) return WriteFailed(errno);
  if (!fd.Close()) return WriteFailed(errno);
  return {};
}

// A regular file holds exactly the 33 bytes afterwards.
FileWriteResult Overwrite(UniqueFd& fd, const SettingsReport& image, const SignalDeferral& signals) {
  if (::lseek(fd.Get(), 0, SEEK_SET) != 0) return WriteFailed(errno);
  if (signals.Interrupted()) return Abandoned();
  if (!fileio::WriteFully(fd.Get(), image.data(), image.size())) return WriteFailed(errno);
  if (::ftruncate(fd.Get(), static_cast<off_t>(image.size())) != 0) return WriteFailed(errno);
  if (::fsync(fd.Get()) != 0) return WriteFailed(errno);
  if (!fd.Close()) return WriteFailed(errno);
  return {};
}

// A file the first open created: written, or removed again.
FileWriteResult WriteNewFile(const std::string& path, UniqueFd& fd, const struct stat& st, const SettingsReport& image,
                             const SignalDeferral& signals) {
  const FileWriteResult result = Overwrite(fd, image, signals);
  struct stat named {};
  if (result.Outcome != FileWriteOutcome::Ok && ::lstat(path.c_str(), &named) == 0 && SameFile(named, st)) {
    ::unlink(path.c_str());
  }
  return result;
}

// ---- Replacing by rename ----------------------------------------------------

// The folder that holds the path's last name, and that name.
struct Place {
  UniqueFd Folder;
  std::string Name;
};

Place PlaceOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  return {UniqueFd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)),
          slash == std::string::npos ? path : path.substr(slash + 1)};
}

// True when the name in the folder is the file itself, not a link to it.
bool NamedThere(const Place& place, const struct stat& st) {
  struct stat named {};
  return ::fstatat(place.Folder.Get(), place.Name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(named.st_mode) && SameFile(named, st);
}

// "." and the start of the target's name, then six random characters, as
// long as the target's name (at least 8 bytes): a folder that takes the
// target's name takes this one too.
std::string TempName(const std::string& name) {
  static const char Chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr std::size_t RandomLength = 6;
  const std::size_t length = std::max<std::size_t>(name.size(), 8);
  std::random_device random;
  std::string temp = "." + name.substr(0, length - RandomLength - 1);
  for (std::size_t i = 0; i < RandomLength; ++i) temp += Chars[random() % (sizeof Chars - 1)];
  return temp;
}

struct TempFile {
  std::string Name;
  UniqueFd Fd;
  int Error = 0;
};

// Readable by its owner alone until it has the old file's mode.
TempFile CreateTemp(const Place& place) {
  constexpr int Attempts = 100;
  int error = EEXIST;
  for (int attempt = 0; attempt < Attempts && error == EEXIST; ++attempt) {
    std::string name = TempName(place.Name);
    const int fd =
        ::openat(place.Folder.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) return {std::move(name), UniqueFd(fd), 0};
    error = errno;
  }
  return {std::string(), UniqueFd(), error};
}

// Removes the temporary file on every way out but a finished rename.
class TempRemoval {
 public:
  TempRemoval(const Place& place, const std::string& name) : m_Place(place), m_Name(name) {}
  ~TempRemoval() {
    if (!m_Name.empty()) ::unlinkat(m_Place.Folder.Get(), m_Name.c_str(), 0);
  }
  TempRemoval(const TempRemoval&) = delete;
  TempRemoval& operator=(const TempRemoval&) = delete;
  void Release() { m_Name.clear(); }

 private:
  const Place& m_Place;
  std::string m_Name;
};

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

// Writes a temporary file and renames it over the file `st` describes, when
// that changes nothing but the content. Returns nothing when this road is
// closed for a reason other than the disk: the caller then writes in place.
std::optional<FileWriteResult> ReplaceByRename(const std::string& path, int fd, const struct stat& st,
                                               const SettingsReport& image, const SignalDeferral& signals) {
  if (st.st_nlink != 1 || st.st_uid != ::geteuid() || HasExtendedAttributes(fd)) return std::nullopt;
  const Place place = PlaceOf(path);
  if (!place.Folder || !NamedThere(place, st)) return std::nullopt;
  TempFile temp = CreateTemp(place);
  if (!temp.Fd) {
    if (IsDiskError(temp.Error)) return WriteFailed(temp.Error);
    return std::nullopt;
  }
  TempRemoval removal(place, temp.Name);
  if (!TakeOverAttributes(temp.Fd.Get(), st)) return std::nullopt;
  if (!fileio::WriteFully(temp.Fd.Get(), image.data(), image.size())) return WriteFailed(errno);
  if (::fsync(temp.Fd.Get()) != 0) return WriteFailed(errno);
  if (!temp.Fd.Close()) return WriteFailed(errno);

  // The rename replaces the very file that was opened; if something else
  // stands there now, the opened file is written in place.
  if (!NamedThere(place, st)) return std::nullopt;
  if (signals.Interrupted()) return Abandoned();
  if (::renameat(place.Folder.Get(), temp.Name.c_str(), place.Folder.Get(), place.Name.c_str()) != 0) {
    if (IsDiskError(errno)) return WriteFailed(errno);
    return std::nullopt;
  }
  removal.Release();
  return FileWriteResult{};
}

// ---- Standard streams -------------------------------------------------------

// The standard output or error descriptor that has the file open for writing.
std::optional<int> StandardStreamOf(const struct stat& st) {
  for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat open {};
    const int flags = ::fcntl(stream, F_GETFL);
    if (flags >= 0 && (flags & O_ACCMODE) != O_RDONLY && ::fstat(stream, &open) == 0 && SameFile(open, st)) {
      return stream;
    }
  }
  return std::nullopt;
}

FileWriteResult WriteStream(int fd, const struct stat& st, const SettingsReport& image) {
  if (!fileio::WriteFully(fd, image.data(), image.size())) return WriteFailed(errno);
  if ((S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)) && ::fsync(fd) != 0) return WriteFailed(errno);
  return {};
}

}  // namespace

FileWriteResult WriteSettingsFile(const std::string& path, const SettingsReport& image) {
  if (path.empty()) return OpenFailed(ENOENT);
  // Held from before the first open, which may create the file.
  std::optional<SignalDeferral> signals(std::in_place);
  bool created = true;
  UniqueFd fd(::open(path.c_str(), OpenFlags | O_EXCL, 0666));
  if (!fd && errno == EEXIST) {
    created = false;
    fd = UniqueFd(::open(path.c_str(), OpenFlags, 0666));
  }
  if (!fd) return OpenFailed(errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return OpenFailed(errno);

  // A write that may block (a full pipe, a terminal on hold) can be stopped.
  if (!S_ISREG(st.st_mode)) signals.reset();
  if (const std::optional<int> stream = StandardStreamOf(st)) return WriteStream(*stream, st, image);
  if (!S_ISREG(st.st_mode)) return WriteToDevice(fd, st, image);
  if (created) return WriteNewFile(path, fd, st, image, *signals);
  if (auto replaced = ReplaceByRename(path, fd.Get(), st, image, *signals)) return *replaced;
  return Overwrite(fd, image, *signals);
}

FileWriteResult WriteSettingsStream(int fd, const SettingsReport& image) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return OpenFailed(errno);
  std::optional<SignalDeferral> signals;
  if (S_ISREG(st.st_mode)) signals.emplace();
  return WriteStream(fd, st, image);
}

}  // namespace qor
