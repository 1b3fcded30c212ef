#include "TempFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ChildProcess.h"

namespace qor::test {
namespace fs = std::filesystem;

namespace {

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
  std::string pattern = (fs::temp_directory_path() / "qor-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
  m_Path = pattern;
}

TempFolder::~TempFolder() {
  MakeRemovable(m_Path);
  std::error_code error;
  fs::remove_all(m_Path, error);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const fs::path path = m_Path / name;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("could not write " + path.string());
}

void TempFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  Write(name, std::string(bytes.begin(), bytes.end()));
}

std::map<std::string, fs::file_type> TempFolder::Entries() const {
  std::map<std::string, fs::file_type> entries;
  for (const auto& entry : fs::directory_iterator(m_Path))
    entries[entry.path().filename().string()] = entry.symlink_status().type();
  return entries;
}

void TempFolder::HandToUnprivilegedUser() const {
  if (::geteuid() != 0) return;
  auto hand = [](const fs::path& path) {
    if (::lchown(path.c_str(), UnprivilegedId, UnprivilegedId) != 0)
      throw std::runtime_error("lchown failed for " + path.string());
  };
  hand(m_Path);
  for (const auto& entry : fs::recursive_directory_iterator(m_Path)) hand(entry.path());
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("could not read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qor::test
