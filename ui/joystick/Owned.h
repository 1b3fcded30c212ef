#pragma once
// Owners for the handles of C libraries (libudev, libevdev), so that every handle is
// freed on every path, once. Descriptors have theirs in settings/posix/UniqueFd.h.

#include <memory>

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

}  // namespace qor
