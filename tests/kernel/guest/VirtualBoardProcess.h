#pragma once
// Runs qor-virtual-board as a child process for a test: starts it with the
// given devices, waits until they all have their nodes, and stops it again.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace qor::guest {

struct VirtualNode {
  int Number = 0;
  std::string Kind;    // "board", "joystick", "other-vendor", "wide-report"
  std::string Ids;     // "16C0:07B3"
  std::string Hidraw;  // "/dev/hidraw3"
  std::string Text;    // a board's identification text
};

class VirtualBoardProcess {
 public:
  // Runs $QOR_VIRTUAL_BOARD, or qor-virtual-board from the PATH; its standard
  // error (the trace of --verbose) goes to `traceFile` when one is named.
  explicit VirtualBoardProcess(const std::vector<std::string>& arguments, const std::string& traceFile = "");
  ~VirtualBoardProcess();
  VirtualBoardProcess(const VirtualBoardProcess&) = delete;
  VirtualBoardProcess& operator=(const VirtualBoardProcess&) = delete;

  // True once the program has printed "ready"; otherwise Failure() says why.
  bool Ready() const { return m_Ready; }
  const std::string& Failure() const { return m_Failure; }
  const std::vector<VirtualNode>& Nodes() const { return m_Nodes; }
  std::vector<VirtualNode> NodesOfKind(const std::string& kind) const;

  // Waits for an output line that starts with `prefix`, e.g. "vanished 1".
  bool WaitForLine(const std::string& prefix, int timeoutMs);
  // Sends SIGTERM and waits; true when the program ended cleanly with status 0.
  bool Stop();

 private:
  std::optional<std::string> ReadLine(int timeoutMs);

  pid_t m_Pid = -1;
  int m_Output = -1;
  std::string m_Buffer;
  bool m_Ready = false;
  std::string m_Failure;
  std::vector<VirtualNode> m_Nodes;
};

// The device number of a node, for comparing it with an open descriptor.
std::optional<dev_t> NodeDevice(const std::string& path);
std::optional<dev_t> DescriptorDevice(int fd);

}  // namespace qor::guest
