#include "cli/SysfsBoardAccess.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "device/DeviceTable.h"
#include "device/ReportDescriptor.h"
#include "device/linux/Hidraw.h"
#include "device/linux/HidrawEnumeration.h"

namespace qor::cli {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return content;
}

// A descriptor that cannot be read or parsed may still be a configuration
// interface, so only a readable one with other feature reports rules it out.
bool MayBeConfigurationInterface(const fs::path& hidDevice) {
  const std::optional<std::string> descriptor = ReadWholeFile(hidDevice / "report_descriptor");
  if (!descriptor) return true;
  const std::vector<std::uint8_t> bytes(descriptor->begin(), descriptor->end());
  const std::optional<int> length = FeatureReportByteLength(bytes);
  return !length || *length == ConfigurationReportLength;
}

}  // namespace

std::optional<HidIds> ParseHidId(const std::string& uevent) {
  std::istringstream lines(uevent);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.starts_with("HID_ID=")) continue;
    unsigned bus = 0;
    HidIds ids;
    char colon1 = 0;
    char colon2 = 0;
    std::istringstream fields(line.substr(7));
    fields >> std::hex >> bus >> colon1 >> ids.VendorId >> colon2 >> ids.ProductId;
    if (!fields.fail() && colon1 == ':' && colon2 == ':' && fields.peek() == std::char_traits<char>::eof()) {
      return ids;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

int SysfsBoardAccessProbe::OpenHidrawNode(const std::string& path) {
  const int fd = hidraw::OpenNode(path.c_str());
  if (fd < 0) return fd;
  hidraw::CloseNode(fd);
  return 0;
}

SysfsBoardAccessProbe::SysfsBoardAccessProbe(std::string sysfsRoot, std::string devRoot, NodeOpener opener)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)), opener_(std::move(opener)) {}

std::vector<UnopenableBoard> SysfsBoardAccessProbe::UnopenableBoards() {
  const fs::path classFolder = fs::path(sysfsRoot_) / "class" / "hidraw";
  std::vector<HidrawNode> nodes;
  std::error_code error;
  for (fs::directory_iterator it(classFolder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    nodes.push_back({name, name});
  }

  std::vector<UnopenableBoard> boards;
  for (const std::optional<std::string>& name : OrderHidrawNodes(std::move(nodes))) {
    const fs::path hidDevice = classFolder / *name / "device";
    const std::optional<std::string> uevent = ReadWholeFile(hidDevice / "uevent");
    const std::optional<HidIds> ids = uevent ? ParseHidId(*uevent) : std::nullopt;
    if (!ids || ids->VendorId > 0xFFFF || ids->ProductId > 0xFFFF ||
        !IsQorProduct(static_cast<std::uint16_t>(ids->VendorId), static_cast<std::uint16_t>(ids->ProductId)) ||
        !MayBeConfigurationInterface(hidDevice)) {
      continue;
    }
    const std::string path = (fs::path(devRoot_) / *name).string();
    if (const int result = opener_(path); result < 0) boards.push_back({path, -result});
  }
  return boards;
}

}  // namespace qor::cli
