#pragma once
// qorctl --verbose: every feature report that goes to or comes from a board,
// and every pause, written to a stream as it happens, so that a board that
// misbehaves can be watched on the wire.

#include <map>
#include <ostream>
#include <string>

#include "device/HidPlatform.h"

namespace qor::cli {

class TracingPlatform final : public HidPlatform {
 public:
  TracingPlatform(HidPlatform& platform, std::ostream& trace) : m_Platform(platform), m_Trace(trace) {}

  std::vector<std::optional<std::string>> ListInterfaces() override;
  HidHandle Open(const std::string& path) override;
  int OpenError() const override { return m_Platform.OpenError(); }
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override;
  bool GetFeatureReportLength(HidHandle handle, int& length) override;
  bool GetFeature(HidHandle handle, std::uint8_t* buffer, int length) override;
  bool SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) override;
  void Close(HidHandle handle) override;
  void Pause(int milliseconds) override;

 private:
  // "/dev/hidraw0 set 33 bytes: 00 ff ..." or "... failed".
  void Transfer(HidHandle handle, const char* direction, const std::uint8_t* buffer, int length, bool moved);

  HidPlatform& m_Platform;
  std::ostream& m_Trace;
  std::map<HidHandle, std::string> m_Nodes;  // the open handles' nodes, as printable text
};

}  // namespace qor::cli
