#include "console/ScriptLines.h"

#include "platform/Files.h"

size_t LineOfUnit(std::string_view text, size_t index) {
  size_t line = 1;
  size_t unit = 0;
  bool inUnit = false;
  for (size_t at = 0; at < text.size() && text[at] != '\0'; ++at) {
    char byte = text[at];
    if (byte == '\r' || byte == '\n') {
      if (byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
      ++line;
      inUnit = false;
    } else if (byte == ' ' || byte == '\t') {
      inUnit = false;
    } else if (!inUnit) {
      if (unit == index) return line;
      ++unit;
      inUnit = true;
    }
  }
  return 0;
}

std::string ReadScriptText(const std::string& path) {
  platform::CAutoCloseFile file(platform::Open(path, 0));
  if (!file.IsValid()) return std::string();
  int64_t length = platform::FileLength(file.Get());
  if (length <= 0 || static_cast<uint64_t>(length) >= SIZE_MAX) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  if (!platform::ReadFully(file.Get(), text.data(), text.size())) return std::string();
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  return text;
}
