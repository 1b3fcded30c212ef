// Reading settings files through Win32 handles, and the streams of both ways.

#include "settings/SettingsFile.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <array>

#include "settings/windows/HandleIo.h"
#include "settings/windows/UniqueHandle.h"
#include "settings/windows/WideNames.h"

namespace qor {

namespace handleio {

long ReadFully(HANDLE handle, std::uint8_t* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    DWORD n = 0;
    if (!::ReadFile(handle, buffer + done, static_cast<DWORD>(size - done), &n, nullptr)) {
      if (::GetLastError() == ERROR_BROKEN_PIPE) break;
      return -1;
    }
    if (n == 0) break;
    done += n;
  }
  return static_cast<long>(done);
}

bool WriteFully(HANDLE handle, const std::uint8_t* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    DWORD n = 0;
    if (!::WriteFile(handle, buffer + done, static_cast<DWORD>(size - done), &n, nullptr)) return false;
    if (n == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    done += n;
  }
  return true;
}

}  // namespace handleio

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

FileReadResult ReadHandle(HANDLE handle, SettingsReport& image, FileLength length) {
  // One byte more tells a longer file.
  std::array<std::uint8_t, SettingsReportSize + 1> buffer{};
  const long read =
      handleio::ReadFully(handle, buffer.data(), length == FileLength::Exactly ? buffer.size() : SettingsReportSize);
  if (read < 0) return {FileReadOutcome::Corrupt, handleio::LastError()};
  if (static_cast<std::size_t>(read) < SettingsReportSize)
    return {FileReadOutcome::Corrupt, 0, static_cast<std::size_t>(read)};
  if (static_cast<std::size_t>(read) > SettingsReportSize) return {FileReadOutcome::TooLong};
  std::copy_n(buffer.begin(), SettingsReportSize, image.begin());
  return {};
}

}  // namespace

FileReadResult ReadSettingsStream(int fd, SettingsReport& image, FileLength length) {
  const HANDLE handle = HandleOf(fd);
  // A stream that is not there reads like one that fails.
  if (handle == INVALID_HANDLE_VALUE) return {FileReadOutcome::Corrupt, ERROR_INVALID_HANDLE};
  return ReadHandle(handle, image, length);
}

FileReadResult ReadSettingsFile(const std::string& path, SettingsReport& image, ReadableFiles accepted,
                                FileLength length) {
  const std::optional<std::wstring> name = WideName(path);
  if (!name || name->empty()) return {FileReadOutcome::OpenFailed, ERROR_INVALID_NAME};
  // A folder fails here with "Access is denied", as Windows opens no folder
  // without backup semantics.
  const UniqueHandle file(::CreateFileW(name->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {FileReadOutcome::OpenFailed, handleio::LastError()};
  const bool onDisk = ::GetFileType(file.Get()) == FILE_TYPE_DISK;
  if (accepted == ReadableFiles::RegularOnly && !onDisk) return {FileReadOutcome::OpenFailed, ERROR_INVALID_FUNCTION};
  LARGE_INTEGER size{};
  if (length == FileLength::Exactly && onDisk && ::GetFileSizeEx(file.Get(), &size) &&
      size.QuadPart > static_cast<LONGLONG>(SettingsReportSize))
    return {FileReadOutcome::TooLong, 0, static_cast<std::size_t>(size.QuadPart)};
  return ReadHandle(file.Get(), image, length);
}

FileWriteResult WriteSettingsStream(int fd, const SettingsReport& image) {
  const HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) return {FileWriteOutcome::OpenFailed, ERROR_INVALID_HANDLE};
  if (!handleio::WriteFully(handle, image.data(), image.size())) {
    return {FileWriteOutcome::WriteFailed, handleio::LastError()};
  }
  if (::GetFileType(handle) == FILE_TYPE_DISK && !::FlushFileBuffers(handle))
    return {FileWriteOutcome::WriteFailed, handleio::LastError()};
  return {};
}

}  // namespace qor
