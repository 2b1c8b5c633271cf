// Registry value paths: root key, subkey path and value name in one text.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/Registry.h"

struct RootKey {
  std::string_view name;
  platform::RegistryKey handle;
};

// The only roots a script may name, matched byte for byte.
constexpr std::array<RootKey, 4> RootKeyTable = {{
    {"HKEY_CLASSES_ROOT", platform::kHkeyClassesRoot},
    {"HKEY_CURRENT_USER", platform::kHkeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", platform::kHkeyLocalMachine},
    {"HKEY_USERS", platform::kHkeyUsers},
}};

// Splits "ROOT\sub\key\Name": the first backslash ends the root name, the
// last starts the value name (empty for a trailing backslash, the key's
// default value), and what lies between is the subkey path. With a single
// backslash the subkey is empty: the value sits directly under the root.
// Only a backslash that is a character separates: the trail byte 0x5C of
// a double-byte character (ソ, 表, 能) stays part of its name. False
// without a backslash or for an unknown root.
bool SplitKeyPath(const std::string& path, platform::RegistryKey& root, std::string& subkey,
                  std::string& valueName);
