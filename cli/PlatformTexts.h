#pragma once
// The words of qorctl's help and messages that differ between systems: how a
// board's device is named there, and how a terminal's input ends.

namespace qor::cli {

struct PlatformTexts {
  const char* BoardOption;      // the lines of -b in the help, from "  -b, --board"
  const char* NodeName;         // "hidraw node"
  const char* NodeExample;      // "/dev/hidraw3"
  const char* LocationExample;  // "1-1.4"
  const char* EndOfInput;       // "Ctrl+D"
};

// Each platform's folder defines it.
extern const PlatformTexts Platform;

}  // namespace qor::cli
