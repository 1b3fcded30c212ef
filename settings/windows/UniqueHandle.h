#pragma once
// The owner of a Win32 handle, for every part of the program that holds one
// (settings files, boards), so that each handle is closed on every path, once.

#include <windows.h>

#include <utility>

namespace qor {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : m_Handle(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : m_Handle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  HANDLE Get() const { return m_Handle; }
  explicit operator bool() const { return m_Handle != INVALID_HANDLE_VALUE && m_Handle != nullptr; }
  HANDLE Release() { return std::exchange(m_Handle, INVALID_HANDLE_VALUE); }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (*this) ::CloseHandle(m_Handle);
    m_Handle = handle;
  }
  // Closes now; false (GetLastError set) when the close reports an error.
  bool Close() { return ::CloseHandle(Release()) != 0; }

 private:
  HANDLE m_Handle = INVALID_HANDLE_VALUE;
};

}  // namespace qor
