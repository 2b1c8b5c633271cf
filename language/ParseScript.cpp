#include "language/ParseScript.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "platform/Files.h"

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
  return Cut(std::move(text));
}

bool CScriptFile::Load(std::string path, std::string_view text) {
  text = text.substr(0, text.find('\0'));
  platform::CAutoFreeBlock copy(text.size() + 1);
  if (!copy.IsValid()) throw std::bad_alloc();
  std::memcpy(copy.Get(), text.data(), text.size());
  copy.Get()[text.size()] = '\0';
  SetScriptPath(std::move(path));
  return Cut(std::move(copy));
}

// The text ends at its first zero byte; the units keep the text itself.
bool CScriptFile::Cut(platform::CAutoFreeBlock text) {
  size_t size = std::strlen(text.Get());
  if (size == 0) return false;
  units.Cut(std::move(text), size);
  return !units.empty();
}
