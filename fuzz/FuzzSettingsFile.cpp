// Any file content must read as the first 33 bytes when there are that many,
// and as corrupt, with the image untouched, when there are fewer.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/SettingsFile.h"

namespace {

// One scratch file for the whole run, removed at exit.
class ScratchFile {
 public:
  ScratchFile() {
    char path[] = "/tmp/qor-fuzz-settings-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) std::abort();
    ::close(fd);
    m_Path = path;
  }
  ~ScratchFile() { ::unlink(m_Path.c_str()); }
  const std::string& Path() const { return m_Path; }

  void Fill(const std::uint8_t* data, std::size_t size) const {
    const int fd = ::open(m_Path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::write(fd, data + done, size - done);
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
  }

 private:
  std::string m_Path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFile File;
  File.Fill(data, size);

  qor::SettingsReport image;
  image.fill(0xA5);
  const qor::SettingsReport before = image;
  const qor::FileReadOutcome outcome = qor::ReadSettingsFile(File.Path(), image).Outcome;

  if (size >= qor::SettingsReportSize) {
    if (outcome != qor::FileReadOutcome::Ok || !std::equal(image.begin(), image.end(), data)) std::abort();
  } else if (outcome != qor::FileReadOutcome::Corrupt || image != before) {
    std::abort();
  }
  return 0;
}
