#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/Process.h"

namespace platform {

// A folder that does not fit is a failure here, and so is one whose name
// has no CP932 form (the ANSI call would answer a look-alike).
uint32_t GetCurrentFolder(uint32_t size, char* buffer) {
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

}  // namespace platform
