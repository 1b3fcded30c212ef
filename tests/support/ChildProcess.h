#pragma once
// Running part of a test in a child process, as an unprivileged user when the
// tests run as root (permission bits do not stop root).

#include <sys/types.h>

#include <functional>

namespace qor::test {

constexpr uid_t UnprivilegedId = 65534;
constexpr int ChildFailed = -1;

// Runs body in a forked child and returns the child's exit code, or
// ChildFailed when it did not exit by itself (a hang ends after a few
// seconds). With unprivileged set, a child of root first drops to the
// unprivileged user and group; if that fails it exits with 125.
int RunInChild(bool unprivileged, const std::function<int()>& body);

}  // namespace qor::test
