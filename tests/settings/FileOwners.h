#pragma once
// Files and folders of given owners and modes, for the writer's tests that
// play an ordinary user against another one (both need root to set up).

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempFolder.h"

namespace qor::test {

using Bytes = std::vector<std::uint8_t>;

constexpr uid_t OtherUser = UnprivilegedId - 1;  // owns what the exporting user does not

inline bool IsRoot() { return ::geteuid() == 0; }
// The user the export runs as: the unprivileged user under root, else whoever runs the tests.
inline uid_t ExportingUser() { return IsRoot() ? UnprivilegedId : ::geteuid(); }

inline void Check(bool done, const std::string& what) {
  if (!done) throw std::runtime_error(what + " failed");
}

inline void Own(const std::string& path, uid_t user) {
  if (IsRoot()) Check(::lchown(path.c_str(), user, user) == 0, "lchown " + path);
}

inline void Chmod(const std::string& path, mode_t mode) { Check(::chmod(path.c_str(), mode) == 0, "chmod " + path); }

// A folder (mode given) owned by `user`.
inline std::string Folder(const TempFolder& f, const std::string& name, mode_t mode, uid_t user) {
  std::filesystem::create_directories(f / name);
  Own(f / name, user);
  Chmod(f / name, mode);
  return f / name;
}

// A file with the given bytes, mode and owner.
inline std::string FileOf(const TempFolder& f, const std::string& name, const Bytes& bytes, mode_t mode, uid_t user) {
  f.Write(name, bytes);
  Own(f / name, user);
  Chmod(f / name, mode);
  return f / name;
}

}  // namespace qor::test
