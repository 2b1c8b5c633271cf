#include "language/ParseScript.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "platform/Files.h"

bool CParseScript::Split(const std::string& text) { return SplitBytes(text.data(), text.size()); }

bool CParseScript::SplitBytes(const char* bytes, size_t size) {
  if (size == 0) return false;
  platform::CAutoFreeBlock copy(size);
  if (!copy.IsValid()) throw std::bad_alloc();
  std::memcpy(copy.Get(), bytes, size);
  units.Cut(std::move(copy), size);
  return !units.empty();
}

bool CScriptFile::Load(std::string path) {
  platform::CAutoCloseFile file(platform::Open(path, platform::kOpenReadWrite));
  if (!file.IsValid()) return false;
  int64_t length = platform::FileLength(file.Get());
  // The text and its closing zero must fit the address range: a 32-bit
  // program would otherwise cut a length of 4 GiB or more to its low bits
  // and read the whole file into the smaller buffer.
  if (length < 0 || static_cast<uint64_t>(length) >= SIZE_MAX) return false;
  platform::CAutoFreeBlock text(static_cast<size_t>(length) + 1);
  if (!text.IsValid()) return false;
  if (!platform::ReadFully(file.Get(), text.Get(), static_cast<uint64_t>(length))) return false;
  text.Get()[static_cast<size_t>(length)] = '\0';
  file.Reset();
  SetScriptPath(std::move(path));
  // The text ends at its first zero byte; the units keep the text itself.
  size_t size = std::strlen(text.Get());
  if (size == 0) return false;
  units.Cut(std::move(text), size);
  return !units.empty();
}
