#include "statements/KeyPath.h"

#include "text/PathSplitter.h"

namespace {

// The first and the last backslash that is a character of its own, not the
// trail byte of a double-byte character (ソ, 表, 能 end in 0x5C).
bool FindBackslashes(const std::string& path, size_t& first, size_t& last) {
  first = std::string::npos;
  last = std::string::npos;
  for (size_t at = 0; at < path.size(); ++at) {
    if (IsLeadByte(static_cast<unsigned char>(path[at]))) {
      ++at;  // its trail byte
    } else if (path[at] == '\\') {
      if (first == std::string::npos) first = at;
      last = at;
    }
  }
  return first != std::string::npos;
}

}  // namespace

bool SplitKeyPath(const std::string& path, platform::RegistryKey& root, std::string& subkey,
                  std::string& valueName) {
  size_t first = 0;
  size_t last = 0;
  if (!FindBackslashes(path, first, last)) return false;
  const std::string_view rootName(path.data(), first);
  const RootKey* found = nullptr;
  for (const RootKey& entry : RootKeyTable) {
    if (entry.name == rootName) found = &entry;
  }
  if (found == nullptr) return false;
  root = found->handle;
  valueName = path.substr(last + 1);
  subkey = last > first ? path.substr(first + 1, last - first - 1) : std::string();
  return true;
}
