#include "settings/SystemError.h"

#include <cerrno>
#include <cstring>

namespace qor {

std::string SystemErrorText(int error) { return std::strerror(error); }

bool IsPermissionError(int error) { return error == EACCES || error == EPERM || error == EROFS; }

bool IsAccessDenied(int error) { return error == EACCES || error == EPERM; }

bool IsNotOpenForReading(int error) { return error == EBADF; }

}  // namespace qor
