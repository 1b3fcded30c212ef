#include "tools/virtual-board/DeviceHost.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "tools/virtual-board/FeatureReports.h"
#include "tools/virtual-board/ReportDescriptors.h"

namespace qor::virtualboard {
namespace {

// hid-generic binds within milliseconds; udev on a busy desktop may take longer.
constexpr auto NodeTimeout = std::chrono::seconds(10);

// The kernel fails a transfer whose device is destroyed before the waiting
// caller has woken up, even when the answer already arrived. So a device
// leaves a moment after its last answer, as a board unplugged between two
// transfers would; requests in that moment go unanswered.
constexpr auto VanishDelay = std::chrono::milliseconds(100);

const char* KindName(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::Board:
      return "board";
    case DeviceKind::OtherVendor:
      return "other-vendor";
    case DeviceKind::WideReport:
      return "wide-report";
    case DeviceKind::Joystick:
      return "joystick";
  }
  return "device";
}

std::span<const std::uint8_t> DescriptorOf(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::Board:
    case DeviceKind::OtherVendor:
      return ConfigurationDescriptor();
    case DeviceKind::WideReport:
      return WideFeatureDescriptor();
    case DeviceKind::Joystick:
      return JoystickDescriptor();
  }
  return {};
}

std::unique_ptr<FeatureReports> ReportsOf(const DeviceRequest& wanted, DeviceKind kind) {
  switch (kind) {
    case DeviceKind::Board:
      return std::make_unique<BoardReports>(
          std::make_shared<sim::VirtualBoard>(wanted.Identification, wanted.Settings));
    case DeviceKind::OtherVendor:
      return std::make_unique<PlainReports>(32);
    case DeviceKind::WideReport:
      return std::make_unique<PlainReports>(64);
    case DeviceKind::Joystick:
      return std::make_unique<PlainReports>(0);
  }
  return nullptr;
}

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
  std::string text;
  char digits[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(digits, sizeof digits, i == 0 ? "%02x" : " %02x", bytes[i]);
    text += digits;
  }
  return text;
}

std::string Ids(std::uint16_t vendorId, std::uint16_t productId) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X:%04X", vendorId, productId);
  return text;
}

// One line per request and answer, for --verbose.
std::string Describe(const uhid_event& request, const std::optional<uhid_event>& answer) {
  switch (request.type) {
    case UHID_GET_REPORT: {
      const auto& reply = answer->u.get_report_reply;
      std::string line = "get report " + std::to_string(request.u.get_report.rnum) + " type " +
                         std::to_string(request.u.get_report.rtype) + " -> ";
      return line + (reply.err ? "error" : std::to_string(reply.size) + " bytes " + Hex(reply.data, reply.size));
    }
    case UHID_SET_REPORT: {
      const auto& set = request.u.set_report;
      const std::size_t size = std::min<std::size_t>(set.size, UHID_DATA_MAX);
      return "set report " + std::to_string(set.rnum) + " type " + std::to_string(set.rtype) + ", " +
             std::to_string(set.size) + " bytes " + Hex(set.data, size) + " -> " +
             (answer->u.set_report_reply.err ? "error" : "ok");
    }
    case UHID_START:
      return "start, flags " + std::to_string(request.u.start.dev_flags);
    case UHID_STOP:
      return "stop";
    case UHID_OPEN:
      return "open";
    case UHID_CLOSE:
      return "close";
    case UHID_OUTPUT:
      return "output report";
    default:
      return "event " + std::to_string(request.type);
  }
}

}  // namespace

bool DeviceHost::Add(const DeviceRequest& wanted, int stopFd, std::string& error) {
  const int group = m_NextNumber;
  // A real board shows its joystick interface first.
  if (wanted.WithJoystick && !Create(wanted, DeviceKind::Joystick, group, stopFd, error)) return false;
  return Create(wanted, wanted.Kind, group, stopFd, error);
}

bool DeviceHost::Create(const DeviceRequest& wanted, DeviceKind kind, int group, int stopFd, std::string& error) {
  const int number = m_NextNumber++;
  UhidIdentity identity;
  identity.Name = std::string("QOR virtual ") + KindName(kind) + " " + std::to_string(number);
  identity.Phys = "qor-virtual-board/" + std::to_string(::getpid()) + "/" + std::to_string(number);
  identity.VendorId = wanted.VendorId;
  identity.ProductId = wanted.ProductId;
  identity.Descriptor = DescriptorOf(kind);

  std::unique_ptr<UhidDevice> uhid = UhidDevice::Create(identity, error);
  if (!uhid) return false;
  const FaultPlan faults = kind == wanted.Kind ? wanted.Faults : FaultPlan{};
  m_Devices.push_back(Device{number, group, std::move(uhid), UhidResponder(ReportsOf(wanted, kind), faults), {}});

  const auto deadline = std::chrono::steady_clock::now() + NodeTimeout;
  std::optional<HidNodes> nodes;
  while (!(nodes = FindHidNodes(identity.Phys))) {
    if (std::chrono::steady_clock::now() > deadline) {
      error = "device " + std::to_string(number) + " got no hidraw node (is hid-generic loaded?)";
      return false;
    }
    bool stopped = false;
    if (!Poll(stopFd, 10, stopped, error)) return false;
    if (stopped) return false;  // no error: asked to stop
  }
  Device& device =
      *std::find_if(m_Devices.begin(), m_Devices.end(), [&](const Device& d) { return d.Number == number; });
  device.Nodes = *nodes;

  m_Report << "device " << number << ' ' << KindName(kind) << ' ' << Ids(wanted.VendorId, wanted.ProductId) << ' '
           << nodes->Hidraw;
  if (kind == DeviceKind::Board) m_Report << " \"" << wanted.Identification << '"';
  if (!nodes->InputEvent.empty()) m_Report << ' ' << nodes->InputEvent;
  m_Report << std::endl;
  return true;
}

bool DeviceHost::Serve(int stopFd, std::string& error) {
  bool stopped = false;
  while (!stopped) {
    if (!Poll(stopFd, -1, stopped, error)) return false;
  }
  return true;
}

bool DeviceHost::Poll(int stopFd, int milliseconds, bool& stopped, std::string& error) {
  VanishDueDevices();
  std::vector<pollfd> fds{{stopFd, POLLIN, 0}};
  for (const Device& device : m_Devices) fds.push_back({device.Uhid->Descriptor(), POLLIN, 0});
  const int ready = ::poll(fds.data(), fds.size(), TimeToNextVanish(milliseconds));
  if (ready < 0 && errno != EINTR) {
    error = std::string("poll failed: ") + std::strerror(errno);
    return false;
  }
  if (ready <= 0) return true;
  if (fds[0].revents != 0) {
    stopped = true;
    return true;
  }
  for (std::size_t i = 1; i < fds.size(); ++i) {
    if (fds[i].revents != 0 && !Handle(m_Devices[i - 1], error)) return false;
  }
  return true;
}

bool DeviceHost::Handle(Device& device, std::string& error) {
  uhid_event request{};
  if (!device.Uhid->Read(request)) {
    error = "device " + std::to_string(device.Number) + ": reading /dev/uhid failed: " + std::strerror(errno);
    return false;
  }
  if (device.VanishAt && (request.type == UHID_GET_REPORT || request.type == UHID_SET_REPORT)) {
    if (m_Trace) *m_Trace << "device " << device.Number << ": request left unanswered, vanishing" << std::endl;
    return true;
  }
  const std::optional<uhid_event> answer = device.Responder.Answer(request);
  if (m_Trace) *m_Trace << "device " << device.Number << ": " << Describe(request, answer) << std::endl;
  if (answer && !device.Uhid->Write(*answer)) {
    error = "device " + std::to_string(device.Number) + ": writing /dev/uhid failed: " + std::strerror(errno);
    return false;
  }
  // Counted from the last answer only: an open or close of the node after it
  // must not put the leaving off.
  if (!device.VanishAt && device.Responder.Vanishing()) {
    device.VanishAt = std::chrono::steady_clock::now() + VanishDelay;
  }
  return true;
}

int DeviceHost::TimeToNextVanish(int milliseconds) const {
  const auto now = std::chrono::steady_clock::now();
  for (const Device& device : m_Devices) {
    if (!device.VanishAt) continue;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*device.VanishAt - now).count();
    const int due = static_cast<int>(std::max<long long>(0, left));
    if (milliseconds < 0 || due < milliseconds) milliseconds = due;
  }
  return milliseconds;
}

void DeviceHost::VanishDueDevices() {
  const auto now = std::chrono::steady_clock::now();
  std::vector<int> dueGroups;
  for (const Device& device : m_Devices) {
    if (device.VanishAt && *device.VanishAt <= now) dueGroups.push_back(device.Group);
  }
  for (int group : dueGroups) Vanish(group);
}

void DeviceHost::Vanish(int group) {
  // Told only once the devices are destroyed, so that whoever reads it finds them gone.
  std::vector<std::string> gone;
  std::erase_if(m_Devices, [&](const Device& device) {
    if (device.Group != group) return false;
    gone.push_back("vanished " + std::to_string(device.Number) + ' ' + device.Nodes.Hidraw);
    return true;
  });
  for (const std::string& line : gone) m_Report << line << std::endl;
}

}  // namespace qor::virtualboard
