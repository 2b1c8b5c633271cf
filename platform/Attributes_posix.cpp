// The extended attributes a save keeps: the ACL and the user's own.
#include <sys/xattr.h>

#include <string>
#include <string_view>

#include "platform/Attributes_posix.h"

namespace platform::posix {

namespace {

// The ACL and the user attributes: the ones a user's file carries.
bool IsKeptAttribute(std::string_view name) {
  return name == "system.posix_acl_access" || name.starts_with("user.");
}

}  // namespace

void CopyAttributes(int from, int to) {
  ssize_t length = ::flistxattr(from, nullptr, 0);
  if (length <= 0) return;
  std::string names(static_cast<size_t>(length), '\0');
  length = ::flistxattr(from, names.data(), names.size());
  if (length <= 0) return;
  names.resize(static_cast<size_t>(length));
  std::string value;
  for (size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    if (!IsKeptAttribute(name)) continue;
    ssize_t size = ::fgetxattr(from, name, nullptr, 0);
    if (size < 0) continue;
    value.resize(static_cast<size_t>(size));
    size = ::fgetxattr(from, name, value.data(), value.size());
    if (size >= 0) ::fsetxattr(to, name, value.data(), static_cast<size_t>(size), 0);
  }
}

}  // namespace platform::posix
