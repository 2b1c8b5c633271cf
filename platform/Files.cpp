#include "platform/Files.h"

namespace platform {

namespace {
// Keeps every single call well below the runtime's signed count limit.
constexpr uint64_t kMaxChunk = 1u << 30;
}  // namespace

bool ReadFully(int fd, void* buffer, uint64_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    uint32_t chunk = static_cast<uint32_t>(count < kMaxChunk ? count : kMaxChunk);
    int got = Read(fd, bytes, chunk);
    if (got <= 0) return false;
    bytes += got;
    count -= static_cast<uint64_t>(got);
  }
  return true;
}

bool WriteFully(int fd, const void* buffer, uint64_t count) {
  auto* bytes = static_cast<const unsigned char*>(buffer);
  while (count > 0) {
    uint32_t chunk = static_cast<uint32_t>(count < kMaxChunk ? count : kMaxChunk);
    int put = Write(fd, bytes, chunk);
    if (put <= 0) return false;
    bytes += put;
    count -= static_cast<uint64_t>(put);
  }
  return true;
}

}  // namespace platform
