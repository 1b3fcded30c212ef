#pragma once
// What qorctl tells its caller through its exit status.

namespace qor::cli {

enum class ExitCode {
  Ok = 0,
  Usage = 2,                 // bad command line or setting, nothing touched
  NoBoard = 3,               // no board, or not the one asked for
  CommunicationFailure = 4,  // a board did not answer or did not keep what was written
  FileError = 5,             // a settings file could not be read or written, or output did not get through
};

constexpr int ToStatus(ExitCode code) { return static_cast<int>(code); }

}  // namespace qor::cli
