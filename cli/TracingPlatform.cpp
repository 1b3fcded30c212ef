#include "cli/TracingPlatform.h"

#include <cstdio>

#include "cli/Text.h"
#include "settings/SystemError.h"

namespace qor::cli {

std::vector<std::optional<std::string>> TracingPlatform::ListInterfaces() { return m_Platform.ListInterfaces(); }

HidHandle TracingPlatform::Open(const std::string& path) {
  const HidHandle handle = m_Platform.Open(path);
  if (handle == InvalidHidHandle) {
    m_Trace << "open " << Printable(path) << " failed: " << SystemErrorText(m_Platform.OpenError()) << '\n';
  } else {
    m_Nodes[handle] = Printable(path);
  }
  return handle;
}

bool TracingPlatform::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  const bool answered = m_Platform.GetAttributes(handle, attributes);
  char ids[32];
  std::snprintf(ids, sizeof ids, "%04x:%04x", attributes.VendorId, attributes.ProductId);
  m_Trace << m_Nodes[handle] << " USB IDs " << (answered ? ids : "unknown") << '\n';
  return answered;
}

bool TracingPlatform::GetFeatureReportLength(HidHandle handle, int& length) {
  const bool answered = m_Platform.GetFeatureReportLength(handle, length);
  m_Trace << m_Nodes[handle] << " feature report "
          << (answered ? std::to_string(length) + " bytes" : std::string("length unknown")) << '\n';
  return answered;
}

bool TracingPlatform::GetFeature(HidHandle handle, std::uint8_t* buffer, int length) {
  const bool moved = m_Platform.GetFeature(handle, buffer, length);
  Transfer(handle, "get", buffer, length, moved);
  return moved;
}

bool TracingPlatform::SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) {
  const bool moved = m_Platform.SetFeature(handle, buffer, length);
  Transfer(handle, "set", buffer, length, moved);
  return moved;
}

void TracingPlatform::Close(HidHandle handle) {
  m_Nodes.erase(handle);
  m_Platform.Close(handle);
}

void TracingPlatform::Pause(int milliseconds) {
  m_Trace << "pause " << milliseconds << " ms\n";
  m_Platform.Pause(milliseconds);
}

void TracingPlatform::Transfer(HidHandle handle, const char* direction, const std::uint8_t* buffer, int length,
                               bool moved) {
  m_Trace << m_Nodes[handle] << ' ' << direction << ' ' << length << " bytes";
  if (!moved) {
    m_Trace << " failed\n";
    return;
  }
  m_Trace << ':';
  for (int i = 0; i < length; ++i) m_Trace << ' ' << HexByte(buffer[i]).substr(2);
  m_Trace << '\n';
}

}  // namespace qor::cli
