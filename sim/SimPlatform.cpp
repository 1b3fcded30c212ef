#include "sim/SimPlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace qor::sim {
namespace {

std::string HandleText(HidHandle handle) { return "h" + std::to_string(handle); }

std::string BytesText(const std::vector<std::uint8_t>& bytes) {
  std::size_t end = bytes.size();
  while (end > 0 && bytes[end - 1] == 0) --end;
  // A single trailing zero reads better as itself than as 0*1.
  if (bytes.size() - end == 1) end = bytes.size();
  std::string text = "[";
  char hex[4];
  for (std::size_t i = 0; i < end; ++i) {
    std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
    text += (i > 0 ? " " : "") + std::string(hex);
  }
  if (end < bytes.size()) text += (end > 0 ? " 0*" : "0*") + std::to_string(bytes.size() - end);
  return text + "]";
}

}  // namespace

std::string Render(const Call& call) {
  const std::string handle = HandleText(call.Handle);
  const std::string failed = call.Succeeded ? "" : " failed";
  switch (call.Kind) {
    case CallKind::ListInterfaces:
      return "list " + std::to_string(call.Value);
    case CallKind::Open:
      return "open " + call.Path + (call.Succeeded ? " -> " + handle : failed);
    case CallKind::GetAttributes:
      return "attributes " + handle + failed;
    case CallKind::GetFeatureReportLength:
      return "length " + handle + (call.Succeeded ? " " + std::to_string(call.Value) : failed);
    case CallKind::GetFeature:
      return "get " + handle + (call.Succeeded ? " " + BytesText(call.Bytes) : failed);
    case CallKind::SetFeature:
      return "set " + handle + " " + BytesText(call.Bytes) + failed;
    case CallKind::Close:
      return "close " + handle + failed;
    case CallKind::Pause:
      return "pause " + std::to_string(call.Value);
  }
  return "?";
}

std::shared_ptr<VirtualBoard> SimPlatform::AddBoard(std::string identification, const SettingsReport& stored,
                                                    std::uint16_t productId) {
  auto board = std::make_shared<VirtualBoard>(std::move(identification), stored);
  AddInterface(InterfaceInfo{.ProductId = productId}, board);
  return board;
}

InterfaceId SimPlatform::AddInterface(const InterfaceInfo& info, std::shared_ptr<VirtualBoard> board) {
  const auto id = static_cast<InterfaceId>(m_Interfaces.size());
  SimInterface& added = m_Interfaces.emplace_back(SimInterface{info, std::move(board)});
  if (added.Info.Path.empty()) added.Info.Path = "/dev/hidraw" + std::to_string(id);
  return id;
}

InterfaceId SimPlatform::ConfigurationInterfaceOf(const VirtualBoard& board) const {
  for (InterfaceId id = 0; id < InterfaceCount(); ++id) {
    const SimInterface& candidate = m_Interfaces[id];
    if (candidate.Board.get() == &board && candidate.Info.FeatureReportLength == ConfigurationReportLength) return id;
  }
  return -1;
}

void SimPlatform::FailGetFeature(int nth) { m_GetFaults.Calls.push_back(m_GetFaults.Made + nth); }
void SimPlatform::FailSetFeature(int nth) { m_SetFaults.Calls.push_back(m_SetFaults.Made + nth); }
void SimPlatform::FailTransfer(int nth) { m_TransferFaults.Calls.push_back(m_TransferFaults.Made + nth); }

bool SimPlatform::TransferFault::Strikes() {
  ++Made;
  const auto hit = std::find(Calls.begin(), Calls.end(), Made);
  if (hit == Calls.end()) return false;
  Calls.erase(hit);
  return true;
}

void SimPlatform::Unplug(InterfaceId id) {
  m_Interfaces.at(id).Unplugged = true;
  m_Interfaces.at(id).UnplugAfterDelivery = false;
  for (auto& [handle, open] : m_Handles) {
    if (open.Interface == id) open.Dead = true;
  }
}

void SimPlatform::Unplug(const VirtualBoard& board) {
  for (InterfaceId id = 0; id < InterfaceCount(); ++id) {
    if (m_Interfaces[id].Board.get() == &board) Unplug(id);
  }
}

void SimPlatform::Replug(const VirtualBoard& board) {
  for (SimInterface& candidate : m_Interfaces) {
    if (candidate.Board.get() == &board) candidate.Unplugged = false;
  }
}

void SimPlatform::UnplugAfterDelivery(const VirtualBoard& board) {
  for (SimInterface& candidate : m_Interfaces) {
    if (candidate.Board.get() == &board) candidate.UnplugAfterDelivery = true;
  }
}

void SimPlatform::CorruptReplies(const VirtualBoard& board, std::size_t offset, int times) {
  for (SimInterface& candidate : m_Interfaces) {
    if (candidate.Board.get() != &board) continue;
    candidate.CorruptOffset = offset;
    candidate.CorruptTimes = times;
  }
}

std::vector<std::string> SimPlatform::LogLines() const {
  std::vector<std::string> lines;
  for (const Call& call : m_Log) lines.push_back(Render(call));
  return lines;
}

int SimPlatform::CallCount(CallKind kind) const {
  return static_cast<int>(
      std::count_if(m_Log.begin(), m_Log.end(), [kind](const Call& call) { return call.Kind == kind; }));
}

std::vector<HidHandle> SimPlatform::OpenHandles() const {
  std::vector<HidHandle> open;
  for (const auto& [handle, entry] : m_Handles) open.push_back(handle);
  return open;
}

std::optional<InterfaceId> SimPlatform::InterfaceOf(HidHandle handle) const {
  const auto found = m_Handles.find(handle);
  if (found == m_Handles.end()) return std::nullopt;
  return found->second.Interface;
}

SimPlatform::SimInterface* SimPlatform::Live(HidHandle handle) {
  const auto found = m_Handles.find(handle);
  if (found == m_Handles.end() || found->second.Dead) return nullptr;
  return &m_Interfaces[found->second.Interface];
}

VirtualBoard* SimPlatform::Firmware(HidHandle handle, int length) {
  SimInterface* target = Live(handle);
  if (target == nullptr || !target->Board || target->Info.FeatureReportLength != ConfigurationReportLength ||
      length != target->Info.FeatureReportLength) {
    return nullptr;
  }
  return target->Board.get();
}

std::vector<std::optional<std::string>> SimPlatform::ListInterfaces() {
  std::vector<std::optional<std::string>> listed;
  for (const SimInterface& candidate : m_Interfaces) {
    if (m_EnumerationLimit && static_cast<int>(listed.size()) >= *m_EnumerationLimit) break;
    if (candidate.Unplugged) continue;
    listed.push_back(candidate.Info.PathFails ? std::nullopt : std::optional(candidate.Info.Path));
  }
  Record({.Kind = CallKind::ListInterfaces, .Value = static_cast<int>(listed.size())});
  return listed;
}

HidHandle SimPlatform::Open(const std::string& path) {
  HidHandle handle = InvalidHidHandle;
  m_OpenError = ENOENT;
  for (InterfaceId id = 0; id < InterfaceCount(); ++id) {
    const SimInterface& candidate = m_Interfaces[id];
    if (candidate.Info.Path != path || candidate.Unplugged) continue;
    if (candidate.Info.OpenFails) {
      m_OpenError = EACCES;
      continue;
    }
    handle = m_NextHandle++;
    m_Handles[handle] = OpenHandle{id};
    break;
  }
  Record({.Kind = CallKind::Open, .Handle = handle, .Path = path, .Succeeded = handle != InvalidHidHandle});
  return handle;
}

bool SimPlatform::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  const SimInterface* target = Live(handle);
  const bool ok = target != nullptr && !target->Info.AttributesFail;
  if (ok) attributes = HidAttributes{target->Info.VendorId, target->Info.ProductId};
  Record({.Kind = CallKind::GetAttributes, .Handle = handle, .Succeeded = ok});
  return ok;
}

bool SimPlatform::GetFeatureReportLength(HidHandle handle, int& length) {
  const SimInterface* target = Live(handle);
  const bool ok = target != nullptr && !target->Info.CapabilitiesFail;
  if (ok) length = target->Info.FeatureReportLength;
  Record({.Kind = CallKind::GetFeatureReportLength, .Handle = handle, .Value = ok ? length : 0, .Succeeded = ok});
  return ok;
}

bool SimPlatform::GetFeature(HidHandle handle, std::uint8_t* buffer, int length) {
  // Both counters advance on every call, so each fault counts its own kind of call.
  const bool getStrikes = m_GetFaults.Strikes();
  const bool transferStrikes = m_TransferFaults.Strikes();
  const bool injected = getStrikes || transferStrikes;
  VirtualBoard* board = Firmware(handle, length);
  // The board has report 0 only.
  const bool ok = !injected && board != nullptr && buffer != nullptr && buffer[0] == 0;
  Call call{.Kind = CallKind::GetFeature, .Handle = handle, .Value = length, .Succeeded = ok};
  if (ok) {
    SettingsReport reply = board->GetFeature();
    SimInterface& source = *Live(handle);
    if (source.CorruptTimes != 0) {
      reply.at(source.CorruptOffset) ^= 0xFF;
      if (source.CorruptTimes > 0) --source.CorruptTimes;
    }
    std::copy(reply.begin(), reply.end(), buffer);
    call.Bytes.assign(reply.begin(), reply.end());
  }
  Record(std::move(call));
  return ok;
}

bool SimPlatform::SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) {
  const bool setStrikes = m_SetFaults.Strikes();
  const bool transferStrikes = m_TransferFaults.Strikes();
  const bool injected = setStrikes || transferStrikes;
  VirtualBoard* board = Firmware(handle, length);
  bool ok =
      !injected && board != nullptr && buffer != nullptr && board->SetFeature(buffer, static_cast<std::size_t>(length));
  if (ok && Live(handle)->UnplugAfterDelivery) {
    Unplug(*board);
    ok = false;
  }
  Call call{.Kind = CallKind::SetFeature, .Handle = handle, .Value = length, .Succeeded = ok};
  if (buffer != nullptr && length > 0) call.Bytes.assign(buffer, buffer + length);
  Record(std::move(call));
  return ok;
}

void SimPlatform::Close(HidHandle handle) {
  const bool known = m_Handles.erase(handle) > 0;
  Record({.Kind = CallKind::Close, .Handle = handle, .Succeeded = known});
}

void SimPlatform::Pause(int milliseconds) { Record({.Kind = CallKind::Pause, .Value = milliseconds}); }

}  // namespace qor::sim
