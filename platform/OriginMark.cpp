#include "platform/OriginMark.h"

#include <cctype>

#include "platform/Files.h"

namespace platform {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

bool SameWord(std::string_view one, std::string_view other) {
  if (one.size() != other.size()) return false;
  for (size_t at = 0; at < one.size(); ++at) {
    if (std::tolower(static_cast<unsigned char>(one[at])) !=
        std::tolower(static_cast<unsigned char>(other[at]))) {
      return false;
    }
  }
  return true;
}

// Text written as UTF-16 (it begins with FF FE) read as its ASCII bytes.
std::string AsBytes(std::string_view text) {
  if (text.size() < 2 || text[0] != '\xFF' || text[1] != '\xFE') return std::string(text);
  std::string bytes;
  for (size_t at = 2; at < text.size(); at += 2) bytes += text[at];
  return bytes;
}

constexpr size_t kLongestMark = 64 * 1024;

}  // namespace

bool ReadZoneIdentifier(const std::string& path, OriginMark& mark) {
  CAutoCloseFile stream(Open(path + ":Zone.Identifier", kOpenFileOnly));
  int64_t length = stream.IsValid() ? FileLength(stream.Get()) : -1;
  if (length <= 0 || static_cast<uint64_t>(length) > kLongestMark) return false;
  std::string text(static_cast<size_t>(length), '\0');
  return ReadFully(stream.Get(), text.data(), text.size()) && ParseZoneIdentifier(text, mark);
}

bool ParseZoneIdentifier(std::string_view stream, OriginMark& mark) {
  const std::string text = AsBytes(stream);
  bool inZoneTransfer = false;
  bool zoned = false;
  std::string_view rest = text;
  while (!rest.empty()) {
    size_t end = rest.find_first_of("\r\n");
    std::string_view line = Trimmed(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.starts_with('[')) {
      inZoneTransfer = SameWord(line, "[ZoneTransfer]");
      continue;
    }
    size_t equals = line.find('=');
    if (!inZoneTransfer || equals == std::string_view::npos) continue;
    std::string_view key = Trimmed(line.substr(0, equals));
    std::string_view value = Trimmed(line.substr(equals + 1));
    if (SameWord(key, "ZoneId") && !value.empty() && value.size() <= 9 &&
        value.find_first_not_of("0123456789") == std::string_view::npos) {
      int zone = std::stoi(std::string(value));
      mark.zone = static_cast<Zone>(zone > 4 ? 4 : zone);
      zoned = true;
    } else if (SameWord(key, "HostUrl") || (SameWord(key, "ReferrerUrl") && mark.url.empty())) {
      mark.url = std::string(value);
    }
  }
  return zoned;
}

}  // namespace platform
