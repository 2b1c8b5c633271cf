#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/Cp932_win.h"
#include "platform/Registry.h"

namespace platform {

namespace {

// The predefined roots are sign-extended 32-bit values in a 64-bit
// program, exactly as the system headers define them.
HKEY ToSystemKey(RegistryKey key) {
  if (key >= kHkeyClassesRoot && key <= kHkeyUsers) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(key);
}

// REG_SZ data in UTF-16: the CP932 text up to its terminating NUL, then a
// NUL of its own.
std::wstring WideString(const unsigned char* data, uint32_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text.resize(std::min(text.size(), text.find('\0')));
  return win::ToWideText(text);
}

}  // namespace

// With code page 932 the ANSI calls; elsewhere the wide calls, with key
// and value names and string data converted as the ANSI calls would
// convert them on code page 932. Binary and dword data stay as they are.
long RegCreateKeyExA(RegistryKey root, const std::string& subkey, uint32_t options, uint32_t access,
                     RegistryKey* key) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  LONG result = win::SystemIsCp932()
                    ? ::RegCreateKeyExA(ToSystemKey(root), subkey.c_str(), 0, nullptr, options,
                                        access, nullptr, &created, &disposition)
                    : ::RegCreateKeyExW(ToSystemKey(root), win::ToWideText(subkey).c_str(), 0,
                                        nullptr, options, access, nullptr, &created, &disposition);
  *key = reinterpret_cast<RegistryKey>(created);
  return result;
}

long RegSetValueExA(RegistryKey key, const std::string& valueName, uint32_t type,
                    const unsigned char* data, uint32_t size) {
  if (win::SystemIsCp932()) {
    return ::RegSetValueExA(ToSystemKey(key), valueName.c_str(), 0, type, data, size);
  }
  std::wstring name = win::ToWideText(valueName);
  if (type != kRegSz) return ::RegSetValueExW(ToSystemKey(key), name.c_str(), 0, type, data, size);
  std::wstring text = WideString(data, size);
  return ::RegSetValueExW(ToSystemKey(key), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

long RegCloseKey(RegistryKey key) { return ::RegCloseKey(ToSystemKey(key)); }

}  // namespace platform

namespace platform {
static_assert(kRegSz == REG_SZ && kRegBinary == REG_BINARY && kRegDword == REG_DWORD);
static_assert(kRegOptionNonVolatile == REG_OPTION_NON_VOLATILE && kKeyAllAccess == KEY_ALL_ACCESS);
}  // namespace platform
