// How an export reaches the disk on Windows. The writer keeps these rules:
// - Nothing is written where a plain create-or-open for writing is refused
//   (a read-only file, a folder the user may not write, a file another
//   program holds without sharing it): that open comes first.
// - Devices and pipes ("NUL", "CON", "\\.\pipe\...") get the 33 bytes where
//   they stand, never a replace.
// - A file on disk gets the bytes through a temporary file in the same
//   folder, written and flushed first: ReplaceFileW puts it in place of an
//   old file and keeps that file's ACL, attributes and streams; a new file is
//   moved into place with MoveFileExW. A failed export thus never leaves a
//   half-written file where the old one was.
// - Where Windows refuses the replace for a reason other than the disk (the
//   file is open in a program that does not share its deletion), the file is
//   written in place from its start and cut to 33 bytes.
// - No temporary file is left behind, except in the one case where Windows
//   has already taken the old file away and the new one cannot be renamed:
//   it then keeps the only copy of the settings.

#include <windows.h>

#include <optional>
#include <random>

#include "settings/SettingsFile.h"
#include "settings/windows/HandleIo.h"
#include "settings/windows/UniqueHandle.h"
#include "settings/windows/WideNames.h"

namespace qor {
namespace {

using handleio::LastError;

FileWriteResult OpenFailed(int error) { return {FileWriteOutcome::OpenFailed, error}; }
FileWriteResult WriteFailed(int error) { return {FileWriteOutcome::WriteFailed, error}; }

// The disk could not take the bytes, as opposed to the user not being
// allowed to put them there.
bool IsDiskError(int error) {
  return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL || error == ERROR_WRITE_FAULT ||
         error == ERROR_CRC || error == ERROR_NOT_ENOUGH_QUOTA;
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Writes the bytes at the handle's start and cuts the file there; a device
// or pipe gets them as they come.
FileWriteResult WriteAndClose(UniqueHandle& file, const SettingsReport& image) {
  const bool onDisk = ::GetFileType(file.Get()) == FILE_TYPE_DISK;
  if (onDisk && ::SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
    return WriteFailed(LastError());
  if (!handleio::WriteFully(file.Get(), image.data(), image.size())) return WriteFailed(LastError());
  if (onDisk && (!::SetEndOfFile(file.Get()) || !::FlushFileBuffers(file.Get()))) return WriteFailed(LastError());
  if (!file.Close()) return WriteFailed(LastError());
  return {};
}

// The folder part of a name, with its separator ("C:\\Kabinett\\", "C:", "").
std::wstring FolderOf(const std::wstring& name) {
  const auto end = name.find_last_of(L"\\/:");
  return end == std::wstring::npos ? std::wstring() : name.substr(0, end + 1);
}

// "." and the start of the target's name, then six random characters.
std::wstring TempName(const std::wstring& name) {
  static const wchar_t Chars[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const std::wstring folder = FolderOf(name);
  std::random_device random;
  std::wstring temp = folder + L"." + name.substr(folder.size(), 16);
  for (int i = 0; i < 6; ++i) temp += Chars[random() % (sizeof Chars / sizeof Chars[0] - 1)];
  return temp;
}

// Removes the temporary file on every way out but a finished replace.
class TempRemoval {
 public:
  explicit TempRemoval(std::wstring name) : m_Name(std::move(name)) {}
  ~TempRemoval() {
    if (!m_Name.empty()) ::DeleteFileW(m_Name.c_str());
  }
  TempRemoval(const TempRemoval&) = delete;
  TempRemoval& operator=(const TempRemoval&) = delete;
  void Release() { m_Name.clear(); }

 private:
  std::wstring m_Name;
};

// ReplaceFileW deletes the old file; where another program holds it without
// sharing that, the replace would fail after the old file had been moved.
bool DeletionShared(const std::wstring& name) {
  const UniqueHandle probe(::CreateFileW(name.c_str(), DELETE, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  return static_cast<bool>(probe);
}

// Writes a temporary file and puts it in place. Returns nothing when Windows
// refuses the road for a reason other than the disk, with the target as it was.
std::optional<FileWriteResult> ReplaceThroughTemp(const std::wstring& target, bool created,
                                                  const SettingsReport& image) {
  if (!created && !DeletionShared(target)) return std::nullopt;
  std::wstring tempName;
  UniqueHandle temp;
  int error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS); ++attempt) {
    tempName = TempName(target);
    temp = UniqueHandle(
        ::CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    error = temp ? ERROR_SUCCESS : LastError();
  }
  if (!temp) return IsDiskError(error) ? std::optional(WriteFailed(error)) : std::nullopt;
  TempRemoval removal(tempName);
  if (!handleio::WriteFully(temp.Get(), image.data(), image.size()) || !::FlushFileBuffers(temp.Get()))
    return WriteFailed(LastError());
  if (!temp.Close()) return WriteFailed(LastError());

  if (created) {
    if (!::MoveFileExW(tempName.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return WriteFailed(LastError());
  } else if (!::ReplaceFileW(target.c_str(), tempName.c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
    error = LastError();
    // The old file is gone and the new one still has the temporary name.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
      if (::MoveFileExW(tempName.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        removal.Release();
        return FileWriteResult{};
      }
      removal.Release();
      return WriteFailed(LastError());
    }
    if (IsDiskError(error)) return WriteFailed(error);
    return std::nullopt;
  }
  removal.Release();
  return FileWriteResult{};
}

}  // namespace

FileWriteResult WriteSettingsFile(const std::string& path, const SettingsReport& image) {
  const std::optional<std::wstring> name = WideName(path);
  if (!name || name->empty()) return OpenFailed(ERROR_INVALID_NAME);
  UniqueHandle file(
      ::CreateFileW(name->c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return OpenFailed(LastError());
  const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) return WriteAndClose(file, image);
  // Windows refuses a read-only file that open; an administrator's process
  // under another system might not, and is refused here all the same.
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info)) return OpenFailed(LastError());
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) return OpenFailed(ERROR_ACCESS_DENIED);

  // The replace needs the file closed; a file created here is removed again
  // when no content reaches it.
  file.Reset();
  std::optional<FileWriteResult> replaced = ReplaceThroughTemp(*name, created, image);
  if (!replaced) {
    file = UniqueHandle(
        ::CreateFileW(name->c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    replaced = file ? WriteAndClose(file, image) : OpenFailed(LastError());
  }
  if (created && replaced->Outcome != FileWriteOutcome::Ok) ::DeleteFileW(name->c_str());
  return *replaced;
}

}  // namespace qor
