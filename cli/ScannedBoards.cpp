#include "cli/ScannedBoards.h"

#include <cstring>

namespace qor::cli {
namespace {

// Interfaces beyond the table are opened here only: the table never opens them.
std::vector<std::string> ConfigurationInterfaces(HidPlatform& platform, const std::vector<std::string>& paths) {
  std::vector<std::string> boards;
  for (const std::string& path : paths) {
    const HidHandle handle = platform.Open(path);
    if (handle == InvalidHidHandle) continue;
    if (ConfigurationProductId(platform, handle)) boards.push_back(path);
    platform.Close(handle);
  }
  return boards;
}

}  // namespace

ScannedBoards::ScannedBoards(HidPlatform& platform, BoardProbe& probe, DeviceLink& link)
    : m_Probe(probe), m_Link(link) {
  m_Link.Table().Scan();
  m_Beyond = ConfigurationInterfaces(platform, m_Link.Table().InterfacesBeyond());
  m_Locations.resize(static_cast<std::size_t>(Count()));
  m_Places.resize(static_cast<std::size_t>(Count()));
}

const std::optional<std::string>& ScannedBoards::UsbLocation(int row) {
  auto& location = m_Locations[static_cast<std::size_t>(row)];
  if (!location) location = m_Probe.UsbLocation(Table().Entry(row).Path);
  return *location;
}

const BoardPlace& ScannedBoards::Place(int row) {
  auto& place = m_Places[static_cast<std::size_t>(row)];
  if (place) return *place;
  std::memset(m_Link.IdentificationText, 0, sizeof m_Link.IdentificationText);
  BoardPlace identified;
  identified.Number = row + 1;
  identified.Answered = m_Link.IdentifyDevice(row, m_Link.IdentificationText, sizeof m_Link.IdentificationText);
  identified.Identification = m_Link.IdentificationText;
  identified.Node = Table().Entry(row).Path;
  identified.UsbLocation = UsbLocation(row);
  identified.ProductId = Table().Entry(row).ProductId;
  place = std::move(identified);
  return *place;
}

std::vector<BoardPlace> ScannedBoards::Places() {
  std::vector<BoardPlace> places;
  for (int row = 0; row < Count(); ++row) places.push_back(Place(row));
  return places;
}

}  // namespace qor::cli
