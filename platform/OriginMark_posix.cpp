#include <sys/xattr.h>

#include <cctype>
#include <cerrno>
#include <string>

#include "platform/Cp932_posix.h"
#include "platform/OriginMark.h"

namespace platform {

namespace {

constexpr char kOriginUrl[] = "user.xdg.origin.url";
// Samba keeps a file's Zone.Identifier stream in this attribute, its
// value the stream's content (with a NUL after it).
constexpr char kSambaStream[] = "user.DosStream.Zone.Identifier:$DATA";

enum class Attribute { kNone, kRead, kUnreadable };

// The whole value of the attribute, whatever its length: asked for its
// length first, and again when it grew meanwhile.
Attribute ReadAttribute(const std::string& name, const char* attribute, std::string& value) {
  for (;;) {
    ssize_t length = ::getxattr(name.c_str(), attribute, nullptr, 0);
    if (length < 0) {
      return errno == ENODATA || errno == ENOTSUP ? Attribute::kNone : Attribute::kUnreadable;
    }
    value.assign(static_cast<size_t>(length), '\0');
    ssize_t got = ::getxattr(name.c_str(), attribute, value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<size_t>(got));
      return Attribute::kRead;
    }
    if (errno != ERANGE) return errno == ENODATA ? Attribute::kNone : Attribute::kUnreadable;
  }
}

bool IsFileUrl(std::string_view url) {
  constexpr std::string_view kScheme = "file://";
  if (url.size() < kScheme.size()) return false;
  for (size_t at = 0; at < kScheme.size(); ++at) {
    if (std::tolower(static_cast<unsigned char>(url[at])) != kScheme[at]) return false;
  }
  return true;
}

// The mark of a download's URL: this computer's for a file:// one, else
// the Internet's.
OriginMark MarkOfUrl(Attribute read, const std::string& url) {
  if (read != Attribute::kRead) return OriginMark{Zone::kInternet, ""};
  return OriginMark{IsFileUrl(url) ? Zone::kLocalMachine : Zone::kInternet, Cp932OfUtf8(url)};
}

}  // namespace

// Every mark the file has (the download's URL, Samba's stream, the
// Zone.Identifier file beside it) counts; the highest zone decides.
bool ReadOriginMark(const std::string& path, OriginMark& mark) {
  std::string name;
  if (!posix::ToSystemName(path, name)) return false;
  bool marked = false;
  auto add = [&mark, &marked](const OriginMark& found) {
    mark = marked ? HigherMark(mark, found) : found;
    marked = true;
  };
  std::string value;
  if (Attribute read = ReadAttribute(name, kOriginUrl, value); read != Attribute::kNone) {
    add(MarkOfUrl(read, value));
  }
  if (Attribute read = ReadAttribute(name, kSambaStream, value); read != Attribute::kNone) {
    add(read == Attribute::kRead ? ParseZoneIdentifier(value) : OriginMark{Zone::kInternet, ""});
  }
  if (OriginMark beside{}; ReadZoneIdentifier(path, beside)) add(beside);
  return marked;
}

}  // namespace platform
