#pragma once
// Owners for the handles of C libraries and for file descriptors, so that
// every handle is freed on every path, once. Free of Qt: the hidraw backend and
// the joystick reader share them.

#include <unistd.h>

#include <memory>
#include <utility>

namespace qor {

// A unique_ptr that frees its handle with the library's own call, e.g.
// Owned<udev_device, udev_device_unref>.
template <auto Free>
struct FreeWith {
  template <typename T>
  void operator()(T* handle) const {
    Free(handle);
  }
};
template <typename T, auto Free>
using Owned = std::unique_ptr<T, FreeWith<Free>>;

// An open file descriptor, closed when its owner goes. A close is never
// retried: on Linux the descriptor is gone even after EINTR.
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
  void Reset(int fd = -1) {
    if (m_Fd >= 0) ::close(m_Fd);
    m_Fd = fd;
  }

 private:
  int m_Fd = -1;
};

}  // namespace qor
