#include "text/PathSplitter.h"

namespace {

// The longest part the runtime's buffers hold.
constexpr size_t kMaxPart = 255;

std::string Part(const std::string& path, size_t from, size_t to, bool& overLong) {
  overLong = overLong || to - from > kMaxPart;
  return path.substr(from, to - from);
}

}  // namespace

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

PathParts SplitPath(const std::string& path) {
  PathParts parts;
  size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = path.substr(0, 2);
    start = 2;
  }
  size_t lastSlash = std::string::npos;  // index of the last separator
  size_t lastDot = std::string::npos;
  for (size_t at = start; at < path.size(); ++at) {
    unsigned char c = static_cast<unsigned char>(path[at]);
    if (IsLeadByte(c)) {
      if (at + 1 < path.size()) ++at;  // its trail byte is no separator
    } else if (c == '\\' || c == '/') {
      lastSlash = at;
    } else if (c == '.') {
      lastDot = at;
    }
  }
  size_t nameStart = start;
  if (lastSlash != std::string::npos) {
    parts.folder = Part(path, start, lastSlash + 1, parts.overLong);
    nameStart = lastSlash + 1;
  }
  size_t nameEnd = path.size();
  if (lastDot != std::string::npos && lastDot >= nameStart) {
    parts.extension = Part(path, lastDot, path.size(), parts.overLong);
    nameEnd = lastDot;
  }
  parts.name = Part(path, nameStart, nameEnd, parts.overLong);
  return parts;
}
