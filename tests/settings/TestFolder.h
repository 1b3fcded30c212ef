#pragma once
// Scratch folders for the file tests, and running part of a test in a child
// process, as an unprivileged user when the tests run as root (permission bits
// do not stop root).

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qor::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  // The names in the folder with their own types (links are not followed).
  std::map<std::string, std::filesystem::file_type> Entries() const;

  // When running as root, hands the folder and everything in it to the
  // unprivileged user, so a child that drops to that user owns the files just
  // as an ordinary user running the tests owns them.
  void HandToUnprivilegedUser() const;

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

constexpr uid_t kUnprivilegedId = 65534;
constexpr int kChildFailed = -1;

// Runs body in a forked child and returns the child's exit code, or
// kChildFailed when it did not exit by itself (a hang ends after a few
// seconds). With unprivileged set, a child of root first drops to the
// unprivileged user and group; if that fails it exits with 125.
int RunInChild(bool unprivileged, const std::function<int()>& body);

}  // namespace qor::test
