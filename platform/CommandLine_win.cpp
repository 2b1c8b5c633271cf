#include <windows.h>
// The shell's header needs the types of <windows.h> first.
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/CommandLine.h"
#include "platform/Cp932_win.h"

namespace platform {

CommandArgument ArgumentOf(std::string system) {
  std::wstring wide = win::FromUtf8(system);
  CommandArgument argument;
  argument.hasCp932Form = win::ToCp932Name(wide, argument.text);
  if (!argument.hasCp932Form) argument.text = win::ToCp932Shown(wide);
  argument.system = std::move(system);
  return argument;
}

// From the wide command line on every code page: the ANSI argv gives a
// character without a CP932 form as a look-alike, naming another file.
std::vector<CommandArgument> GetCommandArguments(int, char**) {
  std::vector<CommandArgument> arguments;
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(
      ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
  if (wide == nullptr) return arguments;
  for (int at = 1; at < count; ++at) arguments.push_back(ArgumentOf(win::ToUtf8(wide.get()[at])));
  return arguments;
}

std::string FullPathOf(const CommandArgument& path) {
  std::wstring wide = win::FromUtf8(path.system);
  DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  full.resize(size ? ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr) : 0);
  std::string cp932;
  if (full.empty() || !win::ToCp932Name(full, cp932)) cp932.clear();
  return cp932;
}

bool EnterFolderOf(const CommandArgument& path, std::string& fileName) {
  std::wstring wide = win::FromUtf8(path.system);
  std::erase(wide, L'"');
  size_t separator = wide.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return false;
  if (!win::ToCp932Name(std::wstring_view(wide).substr(separator + 1), fileName)) return false;
  // The root folder keeps its separator: "C:\" rather than "C:".
  std::wstring folder =
      wide.substr(0, separator == 0 || wide[separator - 1] == L':' ? separator + 1 : separator);
  return ::SetCurrentDirectoryW(folder.c_str()) != 0;
}

}  // namespace platform
