#include "TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace qor::test {
namespace fs = std::filesystem;

namespace {

// A test may leave folders without write or search permission, or read-only
// files, which Windows will not delete; give them back to the owner so
// removal works without root.
void MakeRemovable(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  if (fs::is_regular_file(status)) fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
  if (!fs::is_directory(status)) return;
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
  for (const auto& entry : fs::directory_iterator(path, error)) MakeRemovable(entry.path());
}

}  // namespace

// A name nobody has taken: creating a folder fails when it exists.
TempFolder::TempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path path = fs::temp_directory_path() / ("qor-test-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(path)) {
      fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace);
      m_Path = path;
      return;
    }
  }
  throw std::runtime_error("no fresh folder in " + fs::temp_directory_path().string());
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

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("could not read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qor::test
