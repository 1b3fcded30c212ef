#include "settings/SystemError.h"

#include <windows.h>

#include "settings/windows/WideNames.h"

namespace qor {

std::string SystemErrorText(int error) {
  wchar_t* text = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0 || text == nullptr) return "Windows error " + std::to_string(static_cast<DWORD>(error));
  std::wstring message(text, length);
  ::LocalFree(text);
  // "Access is denied.\r\n" reads as "Access is denied" after a colon, as on Linux.
  while (!message.empty() &&
         (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ' || message.back() == L'.'))
    message.pop_back();
  return Utf8Name(message);
}

bool IsPermissionError(int error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_PRIVILEGE_NOT_HELD;
}

bool IsAccessDenied(int error) { return error == ERROR_ACCESS_DENIED; }

bool IsNotOpenForReading(int error) { return error == ERROR_INVALID_HANDLE || error == ERROR_ACCESS_DENIED; }

}  // namespace qor
