#pragma once
// A fresh folder for each test, removed with everything in it afterwards.

#include <filesystem>
#include <string>
#include <vector>

namespace qor::cli::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return (root_ / name).string(); }
  // Writes `bytes` to `name`, creating the folders on the way.
  void Write(const std::string& name, const std::string& bytes) const;
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::filesystem::path root_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);

}  // namespace qor::cli::test
