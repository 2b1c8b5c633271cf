// The Windows GUI entry point shared by the programs: it hands the
// command-line tail to the program's AppMain and returns its result.
#include <windows.h>

#include "platform/AppMain.h"
#include "platform/CommandLine.h"
#include "platform/Cp932_win.h"

namespace {

// The wide command line after the program's name and the blanks that
// follow it, cut as the runtime cuts the ANSI tail it gives WinMain.
std::wstring WideCommandTail() {
  const wchar_t* line = ::GetCommandLineW();
  if (line == nullptr) return std::wstring();
  if (*line == L'"') {
    ++line;
    while (*line != L'\0' && *line != L'"') ++line;
    if (*line == L'"') ++line;
  } else {
    while (*line > L' ') ++line;
  }
  while (*line != L'\0' && *line <= L' ') ++line;
  return line;
}

// From the wide command line on every code page: the ANSI tail gives a
// character without a CP932 form as a look-alike, naming another file.
platform::CommandArgument CommandTail() {
  return platform::ArgumentOf(platform::win::ToUtf8(WideCommandTail()));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return AppMain(instance, CommandTail(), showCommand);
}
