#include "ui/joystick/EvdevJoystickInput.h"

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <libudev.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "ui/joystick/JoystickFrames.h"

namespace qor::joystick {

struct EvdevJoystickInput::Device {
  std::string node;
  int fd = -1;
  libevdev* evdev = nullptr;
  QSocketNotifier* notifier = nullptr;
  std::optional<JoystickFrames> frames;
};

namespace {

AxisRange RangeOf(const libevdev* evdev, unsigned axis) {
  const input_absinfo* info = libevdev_get_abs_info(evdev, axis);
  return info ? AxisRange{info->minimum, info->maximum} : AxisRange{};
}

bool IsEventNode(udev_device* device) {
  const char* sysname = udev_device_get_sysname(device);
  return sysname && std::strncmp(sysname, "event", 5) == 0 && udev_device_get_devnode(device);
}

// Without udevd nobody relays the kernel's announcements; then listen to the
// kernel itself (devtmpfs has made the node by the time it announces it).
const char* MonitorSource() { return access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel"; }

NextStatus ReadNext(libevdev* evdev, bool resync, InputEvent& event) {
  input_event raw{};
  const int rc = libevdev_next_event(evdev, resync ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, &raw);
  if (rc == -EAGAIN) return NextStatus::Empty;
  if (rc == LIBEVDEV_READ_STATUS_SYNC && !resync) return NextStatus::Dropped;
  if (rc != LIBEVDEV_READ_STATUS_SUCCESS && rc != LIBEVDEV_READ_STATUS_SYNC) return NextStatus::Failed;
  event = InputEvent{raw.type, raw.code, raw.value};
  return NextStatus::Event;
}

}  // namespace

EvdevJoystickInput::EvdevJoystickInput() = default;

EvdevJoystickInput::~EvdevJoystickInput() { Stop(); }

void EvdevJoystickInput::Register(JoystickSink* sink) {
  sink_ = sink;
  Start();
}

void EvdevJoystickInput::Unregister() {
  sink_ = nullptr;
  Stop();
}

bool EvdevJoystickInput::AddNode(const std::string& devnode) {
  if (std::any_of(devices_.begin(), devices_.end(), [&](const auto& d) { return d->node == devnode; })) return true;
  const int fd = ::open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  libevdev* evdev = nullptr;
  if (libevdev_new_from_fd(fd, &evdev) < 0) {
    ::close(fd);
    return false;
  }
  if (!IsJoystick([evdev](unsigned type, unsigned code) { return libevdev_has_event_code(evdev, type, code) == 1; })) {
    libevdev_free(evdev);
    ::close(fd);
    return false;
  }
  auto device = std::make_unique<Device>();
  device->node = devnode;
  device->fd = fd;
  device->evdev = evdev;
  device->frames.emplace(RangeOf(evdev, ABS_X), RangeOf(evdev, ABS_Y), libevdev_get_event_value(evdev, EV_ABS, ABS_X),
                         libevdev_get_event_value(evdev, EV_ABS, ABS_Y));
  device->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(device->notifier, &QSocketNotifier::activated, this, [this, fd] {
    const auto found = std::find_if(devices_.begin(), devices_.end(), [fd](const auto& d) { return d->fd == fd; });
    if (found != devices_.end()) OnDeviceReadable(found->get());
  });
  devices_.push_back(std::move(device));
  emit NodesChanged();
  return true;
}

std::vector<std::string> EvdevJoystickInput::OpenNodes() const {
  std::vector<std::string> nodes;
  for (const auto& device : devices_) nodes.push_back(device->node);
  return nodes;
}

void EvdevJoystickInput::Start() {
  if (udev_) return;
  udev_ = udev_new();
  if (!udev_) return;
  // The monitor listens before the present devices are listed, so that none
  // plugged in between is missed; AddNode ignores a node it has open.
  monitor_ = udev_monitor_new_from_netlink(udev_, MonitorSource());
  if (monitor_ && udev_monitor_filter_add_match_subsystem_devtype(monitor_, "input", nullptr) == 0 &&
      udev_monitor_enable_receiving(monitor_) == 0) {
    monitorNotifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read, this);
    connect(monitorNotifier_, &QSocketNotifier::activated, this, &EvdevJoystickInput::OnMonitorReadable);
  } else if (monitor_) {
    monitor_ = udev_monitor_unref(monitor_);
  }
  AddPresentJoysticks();
}

void EvdevJoystickInput::Stop() {
  while (!devices_.empty()) {
    Close(*devices_.back());
    devices_.pop_back();
  }
  if (monitorNotifier_) {
    monitorNotifier_->setEnabled(false);
    monitorNotifier_->deleteLater();
    monitorNotifier_ = nullptr;
  }
  if (monitor_) monitor_ = udev_monitor_unref(monitor_);
  if (udev_) udev_ = udev_unref(udev_);
}

void EvdevJoystickInput::AddPresentJoysticks() {
  udev_enumerate* enumerate = udev_enumerate_new(udev_);
  if (!enumerate) return;
  udev_enumerate_add_match_subsystem(enumerate, "input");
  udev_enumerate_add_match_sysname(enumerate, "event*");
  udev_enumerate_scan_devices(enumerate);
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
    udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
    if (!device) continue;
    if (IsEventNode(device)) AddNode(udev_device_get_devnode(device));
    udev_device_unref(device);
  }
  udev_enumerate_unref(enumerate);
}

void EvdevJoystickInput::OnMonitorReadable() {
  while (monitor_) {
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device) return;
    const char* action = udev_device_get_action(device);
    if (action && IsEventNode(device)) {
      if (std::strcmp(action, "add") == 0) AddNode(udev_device_get_devnode(device));
      if (std::strcmp(action, "remove") == 0) RemoveNode(udev_device_get_devnode(device));
    }
    udev_device_unref(device);
  }
}

void EvdevJoystickInput::OnDeviceReadable(Device* device) {
  // Reports go out only once the device is read: a control may end the
  // registration, and with it every device, from its handler.
  std::vector<JoystickReport> reports;
  const std::string node = device->node;
  libevdev* evdev = device->evdev;
  const bool alive = DrainEvents([evdev](bool resync, InputEvent& event) { return ReadNext(evdev, resync, event); },
                                 *device->frames, [&reports](const JoystickReport& report) { reports.push_back(report); });
  if (!alive) RemoveNode(node);
  for (const JoystickReport& report : reports) {
    if (!sink_) break;
    sink_->OnJoystickReport(report);
  }
}

void EvdevJoystickInput::RemoveNode(const std::string& devnode) {
  const auto found = std::find_if(devices_.begin(), devices_.end(), [&](const auto& d) { return d->node == devnode; });
  if (found == devices_.end()) return;
  Close(**found);
  devices_.erase(found);
  emit NodesChanged();
}

void EvdevJoystickInput::Close(Device& device) {
  // The notifier may be the one whose signal is running.
  device.notifier->setEnabled(false);
  device.notifier->deleteLater();
  libevdev_free(device.evdev);
  ::close(device.fd);
}

}  // namespace qor::joystick
