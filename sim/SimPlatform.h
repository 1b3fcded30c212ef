#pragma once
// The HID platform played by virtual boards: interfaces in a chosen
// enumeration order, injectable faults, and a log of every call made on it.
// Pauses are recorded, never slept.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceTable.h"
#include "device/HidPlatform.h"
#include "sim/VirtualBoard.h"

namespace qor::sim {

// Position of an interface in the enumeration, counted from 0 in adding order.
using InterfaceId = int;

// Pass as `times` for a fault that never wears off.
constexpr int Always = -1;

struct InterfaceInfo {
  std::uint16_t VendorId = QorVendorId;
  std::uint16_t ProductId = QorFirstProductId;
  int FeatureReportLength = ConfigurationReportLength;
  std::string Path{};  // empty: "/dev/hidrawN", N the interface's id
  // Faults of this interface, for every scan while set.
  bool PathFails = false;
  bool OpenFails = false;
  bool AttributesFail = false;
  bool CapabilitiesFail = false;
};

enum class CallKind {
  ListInterfaces,
  Open,
  GetAttributes,
  GetFeatureReportLength,
  GetFeature,
  SetFeature,
  Close,
  Pause
};

struct Call {
  CallKind Kind;
  HidHandle Handle = InvalidHidHandle;  // for Open, the handle returned
  std::string Path{};                   // Open only
  // SetFeature: the bytes sent; GetFeature: the bytes returned (none on failure).
  std::vector<std::uint8_t> Bytes{};
  // ListInterfaces: entries listed; GetFeatureReportLength: the length;
  // GetFeature/SetFeature: the length asked for; Pause: milliseconds.
  int Value = 0;
  bool Succeeded = true;
};

// One compact line per call, e.g. "open /dev/hidraw0 -> h1", "set h1 [00 ff 41 0*30]",
// "get h2 failed", "pause 30". A run of zeros that ends the bytes is written 0*N.
std::string Render(const Call& call);

class SimPlatform final : public HidPlatform {
 public:
  // --- the attached interfaces, listed in the order they are added ---

  // A QOR board with its configuration interface (vid 0x16C0, 33-byte reports).
  std::shared_ptr<VirtualBoard> AddBoard(std::string identification, const SettingsReport& stored = {},
                                         std::uint16_t productId = QorFirstProductId);
  // An interface of `board`'s device (or of a foreign device when null). Only
  // a board's interface with 33-byte feature reports reaches its firmware;
  // feature transfers on any other interface fail, and so does a transfer
  // whose length is not the interface's or whose report ID is not 0.
  InterfaceId AddInterface(const InterfaceInfo& info, std::shared_ptr<VirtualBoard> board = nullptr);

  int InterfaceCount() const { return static_cast<int>(m_Interfaces.size()); }
  // Mutable, so a test can set an interface's faults after adding it.
  InterfaceInfo& Interface(InterfaceId id) { return m_Interfaces.at(id).Info; }
  const std::string& PathOf(InterfaceId id) const { return m_Interfaces.at(id).Info.Path; }
  // The interface through which the host configures `board`, or -1 when it has none.
  InterfaceId ConfigurationInterfaceOf(const VirtualBoard& board) const;

  // --- faults ---
  // Transfer faults count calls over all handles from the moment they are set:
  // FailGetFeature(1) fails the very next GetFeature, whatever its handle.
  // FailTransfer counts GetFeature and SetFeature calls together. A failing
  // SetFeature never reaches the board; a failing GetFeature leaves the buffer as it was.
  void FailGetFeature(int nth = 1);
  void FailSetFeature(int nth = 1);
  void FailTransfer(int nth = 1);

  // From now on every call on the open handles of the board's interfaces fails
  // (Close still releases them), its paths no longer open, and later
  // enumerations leave it out. Replugging lists it again; old handles stay dead.
  void Unplug(const VirtualBoard& board);
  void Unplug(InterfaceId id);
  void Replug(const VirtualBoard& board);
  // The board's next SetFeature that its firmware takes is delivered, and the
  // board is unplugged before the transfer completes: the call fails though
  // the board holds the write, as with a board pulled out mid-transfer.
  void UnplugAfterDelivery(const VirtualBoard& board);

  // The next `times` successful GetFeature replies from the board come back
  // with byte `offset` inverted, as if the board had not stored what it got.
  void CorruptReplies(const VirtualBoard& board, std::size_t offset, int times = 1);

  // Enumerations list at most `listed` interfaces, as if the system's
  // enumeration failed there; 0 makes the whole list unobtainable.
  void FailEnumerationAfter(int listed) { m_EnumerationLimit = listed; }
  void RestoreEnumeration() { m_EnumerationLimit.reset(); }

  // --- what happened ---
  const std::vector<Call>& Log() const { return m_Log; }
  std::vector<std::string> LogLines() const;
  int CallCount(CallKind kind) const;
  void ClearLog() { m_Log.clear(); }
  std::vector<HidHandle> OpenHandles() const;  // ascending; handles are never reused
  // The interface a handle was opened on, or nullopt for an unknown or closed handle.
  std::optional<InterfaceId> InterfaceOf(HidHandle handle) const;

  // --- HidPlatform ---
  std::vector<std::optional<std::string>> ListInterfaces() override;
  HidHandle Open(const std::string& path) override;
  // EACCES for an interface whose opens fail, ENOENT for a path not present.
  int OpenError() const override { return m_OpenError; }
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override;
  bool GetFeatureReportLength(HidHandle handle, int& length) override;
  bool GetFeature(HidHandle handle, std::uint8_t* buffer, int length) override;
  bool SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) override;
  void Close(HidHandle handle) override;
  void Pause(int milliseconds) override;

 private:
  struct SimInterface {
    InterfaceInfo Info;
    std::shared_ptr<VirtualBoard> Board;
    bool Unplugged = false;
    bool UnplugAfterDelivery = false;
    std::size_t CorruptOffset = 0;
    int CorruptTimes = 0;
  };
  struct OpenHandle {
    InterfaceId Interface;
    bool Dead = false;  // its interface was unplugged after it was opened
  };
  struct TransferFault {
    std::vector<int> Calls;  // numbers of the calls that fail, counted from 1
    int Made = 0;
    bool Strikes();
  };

  // The interface behind a live handle, or nullptr.
  SimInterface* Live(HidHandle handle);
  // The firmware behind a live handle whose transfer of `length` bytes is possible, or nullptr.
  VirtualBoard* Firmware(HidHandle handle, int length);
  void Record(Call call) { m_Log.push_back(std::move(call)); }

  std::vector<SimInterface> m_Interfaces;
  std::map<HidHandle, OpenHandle> m_Handles;
  int m_OpenError = 0;
  HidHandle m_NextHandle = 1;
  std::optional<int> m_EnumerationLimit;
  TransferFault m_GetFaults, m_SetFaults, m_TransferFaults;
  std::vector<Call> m_Log;
};

}  // namespace qor::sim
