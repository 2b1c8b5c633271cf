#include "statements/KeyPath.h"

bool SplitKeyPath(const std::string& path, platform::RegistryKey& root, std::string& subkey,
                  std::string& valueName) {
  const size_t first = path.find('\\');
  if (first == std::string::npos) return false;
  const std::string_view rootName(path.data(), first);
  const RootKey* found = nullptr;
  for (const RootKey& entry : RootKeyTable) {
    if (entry.name == rootName) found = &entry;
  }
  if (found == nullptr) return false;
  const size_t last = path.rfind('\\');
  root = found->handle;
  valueName = path.substr(last + 1);
  subkey = last > first ? path.substr(first + 1, last - first - 1) : std::string();
  return true;
}
