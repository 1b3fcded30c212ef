#pragma once
// What the command line asks for: the virtual devices, in creation order.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/SettingsReport.h"

namespace qor::virtualboard {

enum class DeviceKind {
  Board,        // a QOR board's configuration interface
  OtherVendor,  // 33-byte feature reports, but another vendor's IDs
  WideReport,   // QOR IDs, but 65-byte feature reports
  Joystick,     // input reports only
};

// Transfers are counted per device from 1, gets and sets together for
// VanishAfter, each kind on its own for the failing ones.
struct FaultPlan {
  std::set<int> FailingGets;
  std::set<int> FailingSets;
  std::optional<int> VanishAfter;  // destroyed right after answering this transfer
};

struct DeviceRequest {
  DeviceKind Kind = DeviceKind::Board;
  std::uint16_t VendorId = 0;
  std::uint16_t ProductId = 0;
  std::string Identification{};  // boards only
  SettingsReport Settings{};     // boards only: the stored settings
  bool WithJoystick = false;     // boards only: a joystick interface with the same IDs
  FaultPlan Faults{};
};

struct Options {
  std::vector<DeviceRequest> Devices;
  bool Verbose = false;
  bool Help = false;
};

}  // namespace qor::virtualboard
