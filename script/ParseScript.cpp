#include "script/ParseScript.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "platform/Files.h"

namespace {

// Bytes that separate units; the zero byte only occurs where a caller
// passes text past a NUL.
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

bool CParseScript::Split(const std::string& text) { return SplitBytes(text.data(), text.size()); }

bool CParseScript::SplitBytes(const char* bytes, size_t size) {
  if (size == 0) return false;
  units.clear();
  size_t at = 0;
  while (at < size) {
    while (at < size && IsSeparator(bytes[at])) ++at;
    size_t start = at;
    while (at < size && !IsSeparator(bytes[at])) ++at;
    if (at > start) units.emplace_back(bytes + start, at - start);
  }
  return !units.empty();
}

int CScriptFile::Load(std::string path) {
  platform::AutoCloseFile file(platform::Open(path, platform::kOpenReadWrite));
  if (!file.IsValid()) return 0;
  int64_t length = platform::FileLength(file.Get());
  // The text and its closing zero must fit the address range: a 32-bit
  // program would otherwise cut a length of 4 GiB or more to its low bits
  // and read the whole file into the smaller buffer.
  if (length < 0 || static_cast<uint64_t>(length) >= SIZE_MAX) return 0;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[static_cast<size_t>(length) + 1]);
  if (!buffer) return 0;
  if (!platform::ReadFully(file.Get(), buffer.get(), static_cast<uint64_t>(length))) return 0;
  buffer[static_cast<size_t>(length)] = '\0';
  file.Reset();
  SetScriptPath(std::move(path));
  return SplitBytes(buffer.get(), std::strlen(buffer.get())) ? 1 : 0;
}
