// qorctl.exe: the settings of QOR boards from the Windows console.

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Qorctl.h"
#include "cli/StandardOutput.h"
#include "device/windows/WindowsBoardProbe.h"
#include "device/windows/WindowsHidPlatform.h"
#include "settings/windows/WideNames.h"

namespace {

// The command line as the user typed it, in UTF-8: main's argv holds the
// ANSI code page's bytes, which cannot carry every file name.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(qor::Utf8Name(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace

int main() {
  // Texts are UTF-8: the console shows them as such, and pipes and files get
  // the bytes as on Linux, with no line ends changed ("-" is binary both ways).
  ::SetConsoleOutputCP(CP_UTF8);
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  qor::WindowsHidPlatform platform;
  qor::WindowsBoardProbe probe;
  // Windows has no access rules to point to: the reason alone is given.
  qor::cli::CommandContext context{platform, probe, std::cout, std::cerr};
  return qor::cli::FinishStandardOutput(qor::cli::Run(Arguments(), context), std::cerr);
}
