#pragma once
// Reading a small sysfs file whole (uevent, report_descriptor), through a
// descriptor that no program started meanwhile inherits.

#include <filesystem>
#include <optional>
#include <string>

namespace qor {

std::optional<std::string> ReadSysfsFile(const std::filesystem::path& path);

}  // namespace qor
