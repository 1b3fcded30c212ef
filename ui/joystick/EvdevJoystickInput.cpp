#include "ui/joystick/EvdevJoystickInput.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cstring>

#include "ui/joystick/JoystickDevice.h"
#include "ui/joystick/UdevOwners.h"

namespace qor::joystick {
namespace {

// A notifier may be the one whose signal is running when its owner goes, so
// it is silenced at once and deleted by the event loop.
struct DisableAndDeleteLater {
  void operator()(QSocketNotifier* notifier) const {
    notifier->setEnabled(false);
    notifier->deleteLater();
  }
};
using Notifier = std::unique_ptr<QSocketNotifier, DisableAndDeleteLater>;

bool IsEventNode(udev_device* device) {
  const char* sysname = udev_device_get_sysname(device);
  return sysname && std::strncmp(sysname, "event", 5) == 0 && udev_device_get_devnode(device);
}

// Without udevd nobody relays the kernel's announcements; then listen to the
// kernel itself (devtmpfs has made the node by the time it announces it).
const char* MonitorSource() { return access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel"; }

}  // namespace

// Members are declared so that the notifier goes before what it watches.
struct EvdevJoystickInput::Device {
  std::string Node;
  std::unique_ptr<JoystickDevice> Source;
  Notifier Watch;
};

struct EvdevJoystickInput::Monitor {
  Udev Context;
  UdevMonitor Events;
  Notifier Watch;
};

EvdevJoystickInput::EvdevJoystickInput() : EvdevJoystickInput(OpenEvdevJoystick) {}

EvdevJoystickInput::EvdevJoystickInput(JoystickOpener opener) : m_Opener(std::move(opener)) {}

EvdevJoystickInput::~EvdevJoystickInput() { Stop(); }

void EvdevJoystickInput::Register(JoystickSink* sink) {
  m_Sink = sink;
  Start();
}

void EvdevJoystickInput::Unregister() {
  m_Sink = nullptr;
  Stop();
}

bool EvdevJoystickInput::AddNode(const std::string& devnode) {
  if (std::any_of(m_Devices.begin(), m_Devices.end(), [&](const auto& d) { return d->Node == devnode; })) return true;
  std::unique_ptr<JoystickDevice> source = m_Opener(devnode);
  if (!source) return false;
  auto device = std::make_unique<Device>();
  device->Node = devnode;
  device->Watch.reset(new QSocketNotifier(source->Descriptor(), QSocketNotifier::Read, this));
  device->Source = std::move(source);
  const Device* watched = device.get();
  connect(device->Watch.get(), &QSocketNotifier::activated, this, [this, watched] { OnDeviceReadable(watched); });
  m_Devices.push_back(std::move(device));
  emit NodesChanged();
  return true;
}

std::vector<std::string> EvdevJoystickInput::OpenNodes() const {
  std::vector<std::string> nodes;
  for (const auto& device : m_Devices) nodes.push_back(device->Node);
  return nodes;
}

void EvdevJoystickInput::Start() {
  if (m_Monitor) return;
  auto monitor = std::make_unique<Monitor>();
  monitor->Context.reset(udev_new());
  if (!monitor->Context) return;
  // The monitor listens before the present devices are listed, so that none
  // plugged in between is missed; AddNode ignores a node it has open.
  monitor->Events.reset(udev_monitor_new_from_netlink(monitor->Context.get(), MonitorSource()));
  if (monitor->Events &&
      udev_monitor_filter_add_match_subsystem_devtype(monitor->Events.get(), "input", nullptr) == 0 &&
      udev_monitor_enable_receiving(monitor->Events.get()) == 0) {
    monitor->Watch.reset(new QSocketNotifier(udev_monitor_get_fd(monitor->Events.get()), QSocketNotifier::Read, this));
    connect(monitor->Watch.get(), &QSocketNotifier::activated, this, &EvdevJoystickInput::OnMonitorReadable);
  } else {
    monitor->Events.reset();
  }
  m_Monitor = std::move(monitor);
  AddPresentJoysticks();
}

void EvdevJoystickInput::Stop() {
  while (!m_Devices.empty()) {
    std::unique_ptr<Device> device = std::move(m_Devices.back());
    m_Devices.pop_back();
    Retire(std::move(device));
  }
  if (m_Monitor) Retire(std::move(m_Monitor));
}

void EvdevJoystickInput::AddPresentJoysticks() {
  udev* context = m_Monitor->Context.get();
  const UdevEnumerate enumerate(udev_enumerate_new(context));
  if (!enumerate) return;
  udev_enumerate_add_match_subsystem(enumerate.get(), "input");
  udev_enumerate_add_match_sysname(enumerate.get(), "event*");
  udev_enumerate_scan_devices(enumerate.get());
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
    const UdevDevice device(udev_device_new_from_syspath(context, udev_list_entry_get_name(entry)));
    if (device && IsEventNode(device.get())) AddNode(udev_device_get_devnode(device.get()));
  }
}

void EvdevJoystickInput::OnMonitorReadable() {
  // A handler of NodesChanged may stop the reader: the monitor being read
  // stays open until this read returns.
  ++m_Reading;
  const Monitor* reading = m_Monitor.get();
  while (m_Monitor.get() == reading) {
    const UdevDevice device(udev_monitor_receive_device(m_Monitor->Events.get()));
    if (!device) break;
    const char* action = udev_device_get_action(device.get());
    if (action && IsEventNode(device.get())) {
      if (std::strcmp(action, "add") == 0) AddNode(udev_device_get_devnode(device.get()));
      if (std::strcmp(action, "remove") == 0) RemoveNode(udev_device_get_devnode(device.get()));
    }
  }
  EndRead();
}

void EvdevJoystickInput::OnDeviceReadable(const Device* device) {
  if (std::none_of(m_Devices.begin(), m_Devices.end(), [device](const auto& d) { return d.get() == device; })) return;
  // Each report goes out as its frame closes. The control may end the
  // registration, and with it every device, from its handler: the device
  // being read stays open until this read returns.
  ++m_Reading;
  JoystickDevice& source = *device->Source;
  const bool alive =
      DrainEvents([&source](bool resync, InputEvent& event) { return source.Next(resync, event); }, source.Frames(),
                  [this](const JoystickReport& report) {
                    if (m_Sink) m_Sink->OnJoystickReport(report);
                  });
  if (!alive) RemoveNode(device->Node);
  EndRead();
}

void EvdevJoystickInput::EndRead() {
  if (--m_Reading > 0) return;
  m_RetiredDevices.clear();
  m_RetiredMonitors.clear();
}

void EvdevJoystickInput::RemoveNode(const std::string& devnode) {
  const auto found =
      std::find_if(m_Devices.begin(), m_Devices.end(), [&](const auto& d) { return d->Node == devnode; });
  if (found == m_Devices.end()) return;
  std::unique_ptr<Device> device = std::move(*found);
  m_Devices.erase(found);
  Retire(std::move(device));
  emit NodesChanged();
}

void EvdevJoystickInput::Retire(std::unique_ptr<Device> device) {
  device->Watch.reset();
  if (m_Reading > 0) m_RetiredDevices.push_back(std::move(device));
}

void EvdevJoystickInput::Retire(std::unique_ptr<Monitor> monitor) {
  monitor->Watch.reset();
  if (m_Reading > 0) m_RetiredMonitors.push_back(std::move(monitor));
}

// On Linux this machine's joysticks are its input event devices.
JoystickInput& MachineJoystickInput() {
  static EvdevJoystickInput* machine = nullptr;
  if (!machine) {
    machine = new EvdevJoystickInput;
    // Its notifiers must go before the application does.
    qAddPostRoutine([] {
      delete machine;
      machine = nullptr;
    });
  }
  return *machine;
}

}  // namespace qor::joystick
