#pragma once
// Joystick input from every input event device of this machine that is a
// joystick, read on the Qt thread through socket notifiers; joysticks plugged
// in while a control is registered join through a udev monitor. Needs only a
// Qt core application, so plain test programs can run it too.

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/joystick/JoystickInput.h"

namespace qor::joystick {

class JoystickDevice;

// Opens the node when it is a joystick the user may read; nullptr for
// anything else, silently.
using JoystickOpener = std::function<std::unique_ptr<JoystickDevice>(const std::string& node)>;

class EvdevJoystickInput final : public QObject, public JoystickInput {
  Q_OBJECT

 public:
  // This machine's input event nodes.
  EvdevJoystickInput();
  // Devices of the opener's own, e.g. a test's.
  explicit EvdevJoystickInput(JoystickOpener opener);
  ~EvdevJoystickInput() override;

  // The devices are open only while a control is registered.
  void Register(JoystickSink* sink) override;
  void Unregister() override;
  JoystickSink* Registered() const override { return m_Sink; }

  // Opens the node when it is a joystick the user may read; anything else
  // is skipped silently. True when the node is open afterwards.
  bool AddNode(const std::string& devnode);
  std::vector<std::string> OpenNodes() const;

 signals:
  void NodesChanged();

 private:
  struct Device;
  struct Monitor;

  void Start();
  void Stop();
  void AddPresentJoysticks();
  void OnMonitorReadable();
  void OnDeviceReadable(const Device* device);
  void RemoveNode(const std::string& devnode);
  // Closes at once, or once the read in progress has returned: a control may
  // end its registration, and with it every device, from its report handler.
  void Retire(std::unique_ptr<Device> device);
  void Retire(std::unique_ptr<Monitor> monitor);
  // The last read to return closes what was retired meanwhile.
  void EndRead();

  JoystickOpener m_Opener;
  JoystickSink* m_Sink = nullptr;
  std::unique_ptr<Monitor> m_Monitor;
  std::vector<std::unique_ptr<Device>> m_Devices;
  // How many reads are running (a report handler may run an event loop), and
  // what they have closed meanwhile.
  int m_Reading = 0;
  std::vector<std::unique_ptr<Device>> m_RetiredDevices;
  std::vector<std::unique_ptr<Monitor>> m_RetiredMonitors;
};

}  // namespace qor::joystick
