#pragma once
// A fresh folder for each test, removed with everything in it afterwards, and
// the files in it.

#include <cstdint>
#include <filesystem>
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

  const std::filesystem::path& path() const { return m_Path; }
  std::string operator/(const std::string& name) const { return (m_Path / name).string(); }

  // Writes `bytes` to `name`, creating the folders on the way.
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  void Write(const std::string& name, const std::string& bytes) const;

  // The names in the folder with their own types (links are not followed).
  std::map<std::string, std::filesystem::file_type> Entries() const;

  // When running as root, hands the folder and everything in it to the
  // unprivileged user, so a child that drops to that user owns the files just
  // as an ordinary user running the tests owns them.
  void HandToUnprivilegedUser() const;

 private:
  std::filesystem::path m_Path;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);

}  // namespace qor::test
