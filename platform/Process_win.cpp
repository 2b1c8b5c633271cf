#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/CommandLine.h"
#include "platform/Cp932_win.h"
#include "platform/Process.h"

namespace platform {

// A folder that does not fit is a failure here, and so is one whose name
// has no CP932 form (the ANSI call would answer a look-alike).
uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) {
  DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  std::vector<wchar_t> wide(needed + 1, L'\0');
  DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(wide.size()), wide.data());
  std::string folder;
  if (length == 0 || length >= wide.size() ||
      !win::ToCp932Name(std::wstring_view(wide.data(), length), folder) || folder.size() >= size) {
    return 0;
  }
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return static_cast<uint32_t>(folder.size());
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
