#include "tools/common/ToolMain.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace qor::tools {
namespace {

sigset_t StopSignalSet() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
  return signals;
}

}  // namespace

StopSignals::StopSignals() {
  const sigset_t signals = StopSignalSet();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  m_Fd.Reset(signalfd(-1, &signals, SFD_CLOEXEC));
}

bool StopSignals::Arrive(int milliseconds) const {
  pollfd stop{m_Fd.Get(), POLLIN, 0};
  return ::poll(&stop, 1, milliseconds) > 0;
}

}  // namespace qor::tools
