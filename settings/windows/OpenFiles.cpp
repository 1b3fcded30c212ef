#include "settings/OpenFiles.h"

#include <io.h>
#include <windows.h>

#include "settings/windows/UniqueHandle.h"
#include "settings/windows/WideNames.h"

namespace qor {
namespace {

bool Identify(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info) != 0;
}

}  // namespace

bool IsSameFile(const std::string& path, int fd) {
  const std::optional<std::wstring> name = WideName(path);
  if (!name) return false;
  // No access asked: the file's identity only, whoever else has it open.
  const UniqueHandle named(::CreateFileW(name->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  const auto open = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  BY_HANDLE_FILE_INFORMATION a{};
  BY_HANDLE_FILE_INFORMATION b{};
  return named && open != INVALID_HANDLE_VALUE && Identify(named.Get(), a) && Identify(open, b) &&
         a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

bool IsTerminal(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) == FILE_TYPE_CHAR &&
         ::GetConsoleMode(handle, &mode) != 0;
}

}  // namespace qor
