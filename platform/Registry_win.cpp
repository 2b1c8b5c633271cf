#include <windows.h>

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

}  // namespace

long RegCreateKeyExA(RegistryKey root, const std::string& subkey, uint32_t options,
                     uint32_t access, RegistryKey* key) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  LONG result = ::RegCreateKeyExA(ToSystemKey(root), subkey.c_str(), 0, nullptr, options, access,
                                  nullptr, &created, &disposition);
  *key = reinterpret_cast<RegistryKey>(created);
  return result;
}

long RegSetValueExA(RegistryKey key, const std::string& valueName, uint32_t type,
                    const unsigned char* data, uint32_t size) {
  return ::RegSetValueExA(ToSystemKey(key), valueName.c_str(), 0, type, data, size);
}

long RegCloseKey(RegistryKey key) { return ::RegCloseKey(ToSystemKey(key)); }

}  // namespace platform

namespace platform {
static_assert(kRegSz == REG_SZ && kRegBinary == REG_BINARY && kRegDword == REG_DWORD);
static_assert(kRegOptionNonVolatile == REG_OPTION_NON_VOLATILE && kKeyAllAccess == KEY_ALL_ACCESS);
}  // namespace platform
