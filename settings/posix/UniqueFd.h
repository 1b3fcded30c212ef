#pragma once
// The owner of an open file descriptor, for every part of the program that
// holds one (the settings files, the hidraw backend, the joystick reader, the
// virtual-device tools), so that each descriptor is closed on every path,
// once.

#include <unistd.h>

#include <utility>

namespace qor {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_Fd(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : m_Fd(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int Get() const { return m_Fd; }
  explicit operator bool() const { return m_Fd >= 0; }
  // Hands the descriptor over to a caller that closes it.
  int Release() { return std::exchange(m_Fd, -1); }
  // Closes the descriptor held, if any, and holds `fd`. A close is never
  // retried: on Linux the descriptor is gone even after EINTR.
  void Reset(int fd = -1) {
    if (m_Fd >= 0) ::close(m_Fd);
    m_Fd = fd;
  }
  // Closes now; false (errno set) when the close reports an error, which for
  // a file on disk may be the first sign that its data did not reach it.
  bool Close() { return ::close(Release()) == 0; }

 private:
  int m_Fd = -1;
};

}  // namespace qor
