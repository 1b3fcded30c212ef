#include "VirtualBoardProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>

namespace qor::guest {
namespace {

// Creating a device waits for hid-generic; ten boards take a while under emulation.
constexpr int StartTimeoutMs = 30000;

// "device 3 board 16C0:07B3 /dev/hidraw2 "Some text"" -> its fields.
std::optional<VirtualNode> ParseDeviceLine(const std::string& line) {
  std::istringstream fields(line);
  std::string word;
  VirtualNode node;
  if (!(fields >> word) || word != "device" || !(fields >> node.Number >> node.Kind >> node.Ids >> node.Hidraw)) {
    return std::nullopt;
  }
  const auto open = line.find('"');
  const auto close = line.rfind('"');
  if (open != std::string::npos && close > open) node.Text = line.substr(open + 1, close - open - 1);
  return node;
}

}  // namespace

VirtualBoardProcess::VirtualBoardProcess(const std::vector<std::string>& arguments) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) < 0) {
    failure_ = "pipe failed";
    return;
  }
  const char* program = std::getenv("QOR_VIRTUAL_BOARD");
  if (program == nullptr) program = "qor-virtual-board";
  std::vector<char*> argv{const_cast<char*>(program)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::execvp(program, argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  output_ = pipeFds[0];
  if (pid_ < 0) {
    failure_ = "fork failed";
    return;
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
  while (!ready_) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const std::optional<std::string> line = ReadLine(static_cast<int>(std::max<long>(0, left.count())));
    if (!line) {
      failure_ = "qor-virtual-board did not get ready (exited, or timed out)";
      return;
    }
    if (*line == "ready") ready_ = true;
    if (auto node = ParseDeviceLine(*line)) nodes_.push_back(*node);
  }
}

VirtualBoardProcess::~VirtualBoardProcess() {
  Stop();
  if (output_ >= 0) ::close(output_);
}

std::vector<VirtualNode> VirtualBoardProcess::NodesOfKind(const std::string& kind) const {
  std::vector<VirtualNode> found;
  for (const VirtualNode& node : nodes_) {
    if (node.Kind == kind) found.push_back(node);
  }
  return found;
}

bool VirtualBoardProcess::WaitForLine(const std::string& prefix, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) return false;
    const std::optional<std::string> line = ReadLine(static_cast<int>(left.count()));
    if (!line) return false;
    if (line->starts_with(prefix)) return true;
  }
}

bool VirtualBoardProcess::Stop() {
  if (pid_ <= 0) return false;
  ::kill(pid_, SIGTERM);
  int status = 0;
  const pid_t waited = ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return waited > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<std::string> VirtualBoardProcess::ReadLine(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (const auto end = buffer_.find('\n'); end != std::string::npos) {
      std::string line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd fd{output_, POLLIN, 0};
    if (output_ < 0 || left.count() < 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char chunk[512];
    const ssize_t count = ::read(output_, chunk, sizeof chunk);
    if (count <= 0) return std::nullopt;
    buffer_.append(chunk, static_cast<std::size_t>(count));
  }
}

std::optional<dev_t> NodeDevice(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) < 0) return std::nullopt;
  return info.st_rdev;
}

std::optional<dev_t> DescriptorDevice(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) < 0) return std::nullopt;
  return info.st_rdev;
}

}  // namespace qor::guest
