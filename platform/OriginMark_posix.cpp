#include <sys/xattr.h>

#include <string>

#include "platform/Cp932_posix.h"
#include "platform/OriginMark.h"

namespace platform {

namespace {

constexpr char kOriginUrl[] = "user.xdg.origin.url";

}  // namespace

// A browser's download is marked by the attribute; a copy from Windows by
// the Zone.Identifier file beside it.
bool ReadOriginMark(const std::string& path, OriginMark& mark) {
  std::string name;
  if (!posix::ToSystemName(path, name)) return false;
  char url[4096];
  ssize_t length = ::getxattr(name.c_str(), kOriginUrl, url, sizeof url);
  if (length >= 0) {
    mark.zone = Zone::kInternet;
    mark.url = posix::ToCp932Shown(std::string_view(url, static_cast<size_t>(length)));
    return true;
  }
  return ReadZoneIdentifier(path, mark);
}

}  // namespace platform
