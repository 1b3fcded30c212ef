#pragma once
// Creates the virtual devices on uhid, one after the other, and serves the
// kernel's requests for all of them from one thread.

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tools/virtual-board/DeviceRequest.h"
#include "tools/virtual-board/SysfsNodes.h"
#include "tools/virtual-board/Uhid.h"
#include "tools/virtual-board/UhidResponder.h"

namespace qor::virtualboard {

class DeviceHost {
 public:
  // `report` gets one line per device created or vanished; `trace`, when not
  // null, one line per request.
  DeviceHost(std::ostream& report, std::ostream* trace) : m_Report(report), m_Trace(trace) {}

  // Creates the device (a board with a joystick interface gives two) and waits
  // until its hidraw node exists, so that devices enumerate in creation order.
  // `stopFd` becomes readable when the program is to stop. False with `error` set.
  bool Add(const DeviceRequest& wanted, int stopFd, std::string& error);

  // Answers requests until `stopFd` becomes readable; false on a failing descriptor.
  bool Serve(int stopFd, std::string& error);

 private:
  struct Device {
    int Number;  // counted from 1 in creation order
    int Group;   // the devices of one board vanish together
    std::unique_ptr<UhidDevice> Uhid;
    UhidResponder Responder;
    HidNodes Nodes;
    // Set once the device has answered its last transfer; see Handle().
    std::optional<std::chrono::steady_clock::time_point> VanishAt{};
  };

  bool Create(const DeviceRequest& wanted, DeviceKind kind, int group, int stopFd, std::string& error);
  // Waits up to `milliseconds` for a request or the stop signal and handles
  // what came. False when a descriptor failed; `stopped` once stopFd is readable.
  bool Poll(int stopFd, int milliseconds, bool& stopped, std::string& error);
  bool Handle(Device& device, std::string& error);
  void Vanish(int group);
  // Milliseconds until the next device is due to vanish, or `milliseconds` if sooner.
  int TimeToNextVanish(int milliseconds) const;
  void VanishDueDevices();

  std::ostream& m_Report;
  std::ostream* m_Trace;
  std::vector<Device> m_Devices;
  int m_NextNumber = 1;
};

}  // namespace qor::virtualboard
