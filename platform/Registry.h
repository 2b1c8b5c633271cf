// The registry calls of advapi32 that the registry statements make.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A key handle. The four predefined roots carry their documented 32-bit
// values; the Windows side widens them as the system does.
using RegistryKey = uintptr_t;

constexpr RegistryKey kHkeyClassesRoot = 0x80000000u;
constexpr RegistryKey kHkeyCurrentUser = 0x80000001u;
constexpr RegistryKey kHkeyLocalMachine = 0x80000002u;
constexpr RegistryKey kHkeyUsers = 0x80000003u;

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

constexpr uint32_t kRegOptionNonVolatile = 0;
constexpr uint32_t kKeyAllAccess = 0xF003F;

// Each returns 0 (ERROR_SUCCESS) or a system error code.
long RegCreateKeyExA(RegistryKey root, const std::string& subkey, uint32_t options, uint32_t access,
                     RegistryKey* key);
long RegSetValueExA(RegistryKey key, const std::string& valueName, uint32_t type,
                    const unsigned char* data, uint32_t size);
long RegCloseKey(RegistryKey key);

// True where the system has a registry (Windows).
#ifdef _WIN32
inline constexpr bool kHasRegistry = true;
#else
inline constexpr bool kHasRegistry = false;
#endif

// Creates (or opens) the key subkey under root and writes the value; the
// key is closed on every path. True when written. Only where kHasRegistry.
bool WriteRegistryValue(RegistryKey root, const std::string& subkey, const std::string& valueName,
                        uint32_t type, const unsigned char* data, uint32_t size);

// Closes an open key on every path.
class CAutoCloseKey {
 public:
  explicit CAutoCloseKey(RegistryKey key) : key_(key) {}
  ~CAutoCloseKey() { RegCloseKey(key_); }
  CAutoCloseKey(const CAutoCloseKey&) = delete;
  CAutoCloseKey& operator=(const CAutoCloseKey&) = delete;
  RegistryKey Get() const { return key_; }

 private:
  RegistryKey key_;
};

}  // namespace platform
