#pragma once
// Joystick input from every input event device of this machine that is a
// joystick, read on the Qt thread through socket notifiers; joysticks plugged
// in while a control is registered join through a udev monitor. Needs only a
// Qt core application, so plain test programs can run it too.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "ui/joystick/JoystickInput.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace qor::joystick {

class EvdevJoystickInput final : public QObject, public JoystickInput {
  Q_OBJECT

 public:
  EvdevJoystickInput();
  ~EvdevJoystickInput() override;

  // The devices are open only while a control is registered.
  void Register(JoystickSink* sink) override;
  void Unregister() override;
  JoystickSink* Registered() const override { return sink_; }

  // Opens the node when it is a joystick the user may read; anything else
  // is skipped silently. True when the node is open afterwards.
  bool AddNode(const std::string& devnode);
  std::vector<std::string> OpenNodes() const;

 signals:
  void NodesChanged();

 private:
  struct Device;

  void Start();
  void Stop();
  void AddPresentJoysticks();
  void OnMonitorReadable();
  void OnDeviceReadable(Device* device);
  void RemoveNode(const std::string& devnode);
  void Close(Device& device);

  JoystickSink* sink_ = nullptr;
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  QSocketNotifier* monitorNotifier_ = nullptr;
  std::vector<std::unique_ptr<Device>> devices_;
};

}  // namespace qor::joystick
