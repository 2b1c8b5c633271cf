#include "platform/Registry.h"

namespace platform {

bool WriteRegistryValue(RegistryKey root, const std::string& subkey, const std::string& valueName,
                        uint32_t type, const unsigned char* data, uint32_t size) {
  RegistryKey key = 0;
  if (RegCreateKeyExA(root, subkey, kRegOptionNonVolatile, kKeyAllAccess, &key) != 0) return false;
  CAutoCloseKey open(key);
  return RegSetValueExA(key, valueName, type, data, size) == 0;
}

}  // namespace platform
