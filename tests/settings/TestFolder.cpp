#include "TestFolder.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qor::test {
namespace fs = std::filesystem;

namespace {

constexpr unsigned kChildSeconds = 10;
constexpr int kPrivilegeDropFailed = 125;

// A test may leave folders without write or search permission; give them back
// to the owner so removal works without root.
void MakeRemovable(const fs::path& path) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(path, error))) return;
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
  for (const auto& entry : fs::directory_iterator(path, error)) MakeRemovable(entry.path());
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (fs::path(testing::TempDir()) / "qor-settings-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
  path_ = pattern;
}

TempFolder::~TempFolder() {
  MakeRemovable(path_);
  std::error_code error;
  fs::remove_all(path_, error);
}

std::map<std::string, fs::file_type> TempFolder::Entries() const {
  std::map<std::string, fs::file_type> entries;
  for (const auto& entry : fs::directory_iterator(path_))
    entries[entry.path().filename().string()] = entry.symlink_status().type();
  return entries;
}

void TempFolder::HandToUnprivilegedUser() const {
  if (::geteuid() != 0) return;
  auto hand = [](const fs::path& path) {
    if (::lchown(path.c_str(), kUnprivilegedId, kUnprivilegedId) != 0)
      throw std::runtime_error("lchown failed for " + path.string());
  };
  hand(path_);
  for (const auto& entry : fs::recursive_directory_iterator(path_)) hand(entry.path());
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("could not write " + path);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("could not read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int RunInChild(bool unprivileged, const std::function<int()>& body) {
  std::fflush(nullptr);  // buffered output must not be written twice
  const pid_t pid = ::fork();
  if (pid < 0) return kChildFailed;
  if (pid == 0) {
    ::alarm(kChildSeconds);
    if (unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 || ::setuid(kUnprivilegedId) != 0)
        ::_exit(kPrivilegeDropFailed);
    }
    ::_exit(body());
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return kChildFailed;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : kChildFailed;
}

}  // namespace qor::test
