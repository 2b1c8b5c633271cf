// The Windows calls of the core for a native console program, in place of
// the test stand-in: a message box is a line on standard error, no file
// dialog can be shown (the program answers them itself before they are
// asked), and there is no registry.
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/Console.h"
#include "platform/Cp932_posix.h"
#include "platform/Dialogs.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Registry.h"

namespace platform {

namespace {

constexpr long kErrorCallNotImplemented = 120;  // ERROR_CALL_NOT_IMPLEMENTED

}  // namespace

int MessageBoxA(WindowHandle, const std::string& text, const std::string& caption, unsigned flags) {
  // A line that cannot be written has nowhere else to go.
  WriteStdText(StdStream::kError, caption + ": " + text + "\n");
  return (flags & kMbYesNo) != 0 ? kIdNo : kIdOk;
}

int GetOpenFileNameA(OpenFileNameRecord&) { return 0; }

int GetSaveFileNameA(OpenFileNameRecord&) { return 0; }

uint32_t CommDlgExtendedError() { return 0; }

// A folder whose name has no CP932 form cannot be given.
uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) {
  std::vector<char> folder(4096);
  std::string cp932;
  if (buffer == nullptr || ::getcwd(folder.data(), folder.size()) == nullptr ||
      !posix::ToCp932Name(folder.data(), cp932) || cp932.size() + 1 > size) {
    return 0;
  }
  std::memcpy(buffer, cp932.c_str(), cp932.size() + 1);
  return static_cast<uint32_t>(cp932.size());
}

long RegCreateKeyExA(RegistryKey, const std::string&, uint32_t, uint32_t, RegistryKey* key) {
  *key = 0;
  return kErrorCallNotImplemented;
}

long RegSetValueExA(RegistryKey, const std::string&, uint32_t, const unsigned char*, uint32_t) {
  return kErrorCallNotImplemented;
}

long RegCloseKey(RegistryKey) { return 0; }

}  // namespace platform
