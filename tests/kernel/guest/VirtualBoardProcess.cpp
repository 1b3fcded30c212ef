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

VirtualBoardProcess::VirtualBoardProcess(const std::vector<std::string>& arguments, const std::string& traceFile) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) < 0) {
    m_Failure = "pipe failed";
    return;
  }
  const char* program = std::getenv("QOR_VIRTUAL_BOARD");
  if (program == nullptr) program = "qor-virtual-board";
  std::vector<char*> argv{const_cast<char*>(program)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  m_Pid = ::fork();
  if (m_Pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    if (!traceFile.empty()) {
      const int trace = ::open(traceFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (trace < 0 || ::dup2(trace, STDERR_FILENO) < 0) ::_exit(126);
    }
    ::execvp(program, argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  m_Output = pipeFds[0];
  if (m_Pid < 0) {
    m_Failure = "fork failed";
    return;
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
  while (!m_Ready) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const std::optional<std::string> line = ReadLine(static_cast<int>(std::max<long>(0, left.count())));
    if (!line) {
      m_Failure = "qor-virtual-board did not get ready (exited, or timed out)";
      return;
    }
    if (*line == "ready") m_Ready = true;
    if (auto node = ParseDeviceLine(*line)) m_Nodes.push_back(*node);
  }
}

VirtualBoardProcess::~VirtualBoardProcess() {
  Stop();
  if (m_Output >= 0) ::close(m_Output);
}

std::vector<VirtualNode> VirtualBoardProcess::NodesOfKind(const std::string& kind) const {
  std::vector<VirtualNode> found;
  for (const VirtualNode& node : m_Nodes) {
    if (node.Kind == kind) found.push_back(node);
  }
  return found;
}

bool VirtualBoardProcess::WaitForLine(const std::string& prefix, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) return false;
    const std::optional<std::string> line = ReadLine(static_cast<int>(left.count()));
    if (!line) return false;
    if (line->starts_with(prefix)) return true;
  }
}

bool VirtualBoardProcess::Stop() {
  if (m_Pid <= 0) return false;
  ::kill(m_Pid, SIGTERM);
  int status = 0;
  const pid_t waited = ::waitpid(m_Pid, &status, 0);
  m_Pid = -1;
  return waited > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<std::string> VirtualBoardProcess::ReadLine(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (const auto end = m_Buffer.find('\n'); end != std::string::npos) {
      std::string line = m_Buffer.substr(0, end);
      m_Buffer.erase(0, end + 1);
      return line;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd fd{m_Output, POLLIN, 0};
    if (m_Output < 0 || left.count() < 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char chunk[512];
    const ssize_t count = ::read(m_Output, chunk, sizeof chunk);
    if (count <= 0) return std::nullopt;
    m_Buffer.append(chunk, static_cast<std::size_t>(count));
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
