#include "device/linux/SysfsBoardProbe.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <vector>

#include "device/DeviceTable.h"
#include "device/ReportDescriptor.h"
#include "device/linux/SysfsFile.h"
#include "settings/SystemError.h"
#include "settings/posix/UniqueFd.h"

namespace qor {
namespace {

namespace fs = std::filesystem;

// A descriptor that cannot be read or parsed may still be a configuration
// interface, so only a readable one with other feature reports rules it out.
bool MayBeConfigurationInterface(const fs::path& hidDevice) {
  const std::optional<std::string> descriptor = ReadSysfsFile(hidDevice / "report_descriptor");
  if (!descriptor) return true;
  const std::vector<std::uint8_t> bytes(descriptor->begin(), descriptor->end());
  const std::optional<int> length = FeatureReportByteLength(bytes);
  return !length || *length == ConfigurationReportLength;
}

// A USB device's name: the bus number, a dash and the port path ("1-1.4").
// Interfaces ("1-1.4:1.0") and root hubs ("usb1") do not match.
bool IsUsbDeviceName(const std::string& name) {
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string::npos || dash + 1 == name.size()) return false;
  const auto digits = [](char c) { return c >= '0' && c <= '9'; };
  if (!std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(dash), digits)) return false;
  bool afterDot = true;
  for (std::size_t i = dash + 1; i < name.size(); ++i) {
    if (name[i] == '.' && !afterDot) {
      afterDot = true;
    } else if (digits(name[i])) {
      afterDot = false;
    } else {
      return false;
    }
  }
  return !afterDot;
}

// "hidraw3": the name the kernel gives a node, without a folder.
bool IsNodeName(const std::string& name) {
  constexpr std::string_view Prefix = "hidraw";
  return name.size() > Prefix.size() && name.starts_with(Prefix) &&
         std::all_of(name.begin() + Prefix.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
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

AccessPlaces AccessPlaces::ForRule(const std::string& installedRule) {
  AccessPlaces places;
  places.RuleFiles.push_back(installedRule);
  const std::string name = fs::path(installedRule).filename().string();
  for (const char* folder : {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"})
    places.RuleFiles.push_back((fs::path(folder) / name).string());
  return places;
}

SysfsBoardProbe::SysfsBoardProbe(std::string sysfsRoot, std::string devRoot, AccessPlaces places)
    : m_SysfsRoot(std::move(sysfsRoot)), m_DevRoot(std::move(devRoot)), m_Places(std::move(places)) {}

AccessCase SysfsBoardProbe::Access(const std::string& node) const {
  std::error_code error;
  if (std::none_of(m_Places.RuleFiles.begin(), m_Places.RuleFiles.end(),
                   [&](const std::string& rule) { return fs::exists(rule, error); })) {
    return AccessCase::RuleMissing;
  }
  struct stat st {};
  if (::stat(node.c_str(), &st) != 0) return AccessCase::RuleNotApplied;
  // A group other than root's: the plugdev rule, which asks for membership.
  if (st.st_gid != 0) return AccessCase::NotAtTheSeat;
  // udev records the tags its rules gave a device: "G:uaccess" (or "Q:" for
  // the current ones) once the access rule has reached the node.
  const std::string record = "c" + std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
  const std::optional<std::string> data = ReadSysfsFile(fs::path(m_Places.UdevData) / record);
  const bool tagged =
      data && (data->find("G:uaccess\n") != std::string::npos || data->find("Q:uaccess\n") != std::string::npos);
  return tagged ? AccessCase::NotAtTheSeat : AccessCase::RuleNotApplied;
}

std::vector<UnopenableBoard> SysfsBoardProbe::UnopenableBoards(const std::vector<UnopenedInterface>& unopened) {
  const fs::path classFolder = fs::path(m_SysfsRoot) / "class" / "hidraw";
  std::vector<UnopenableBoard> boards;
  for (const UnopenedInterface& interface : unopened) {
    const std::string name = fs::path(interface.Path).filename().string();
    if (!IsNodeName(name)) continue;
    const fs::path hidDevice = classFolder / name / "device";
    const std::optional<std::string> uevent = ReadSysfsFile(hidDevice / "uevent");
    const std::optional<HidIds> ids = uevent ? ParseHidId(*uevent) : std::nullopt;
    if (!ids || ids->VendorId > 0xFFFF || ids->ProductId > 0xFFFF ||
        !IsQorProduct(static_cast<std::uint16_t>(ids->VendorId), static_cast<std::uint16_t>(ids->ProductId)) ||
        !MayBeConfigurationInterface(hidDevice)) {
      continue;
    }
    const int error = interface.Error;
    boards.push_back({interface.Path, error, IsAccessDenied(error) ? Access(interface.Path) : AccessCase::RuleMissing});
  }
  return boards;
}

std::optional<std::string> SysfsBoardProbe::UsbLocation(const std::string& node) {
  // One readlink: the class entry leads to the node's place among the
  // devices, "../../devices/.../usb1/1-1/1-1.4/1-1.4:1.0/0003:16C0:07B3.0001/hidraw/hidraw3",
  // and the USB device is the last folder of that path named like one.
  // readlink itself, since the library's read_symlink asks lstat first.
  const fs::path entry = fs::path(m_SysfsRoot) / "class" / "hidraw" / fs::path(node).filename();
  char target[PATH_MAX];
  const ssize_t length = ::readlink(entry.c_str(), target, sizeof target);
  if (length < 0 || static_cast<std::size_t>(length) == sizeof target) return std::nullopt;
  std::optional<std::string> location;
  for (const fs::path& folder : fs::path(std::string(target, static_cast<std::size_t>(length)))) {
    if (IsUsbDeviceName(folder.string())) location = folder.string();
  }
  return location;
}

std::optional<std::uint64_t> SysfsBoardProbe::DeviceNumber(const std::string& path) {
  const std::string named = IsNodeName(path) ? (fs::path(m_DevRoot) / path).string() : path;
  struct stat st {};
  if (::stat(named.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_rdev);
}

}  // namespace qor
