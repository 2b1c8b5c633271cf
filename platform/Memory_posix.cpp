#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "platform/Memory.h"

namespace platform {

namespace {

// Smaller blocks come from the heap, where the sanitizers watch them.
constexpr size_t kMappedFrom = size_t{1} << 20;
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kPage = 4096;

size_t RoundUp(size_t size, size_t unit) { return (size + unit - 1) / unit * unit; }

}  // namespace

void* VirtualAlloc(size_t size) {
  if (size < kMappedFrom) return std::malloc(size == 0 ? 1 : size);
  if (size > SIZE_MAX - 2 * kHugePage) return nullptr;
  size_t length = RoundUp(size, kPage);
  // Map a huge page more than asked and give back what lies outside the
  // aligned part, so the kernel can back all of it with huge pages.
  size_t mapped = length + kHugePage;
  void* area = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) return nullptr;
  auto start = reinterpret_cast<uintptr_t>(area);
  uintptr_t aligned = RoundUp(start, kHugePage);
  if (aligned > start) munmap(area, aligned - start);
  size_t tail = start + mapped - (aligned + length);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + length), tail);
  madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

void VirtualFree(void* block, size_t size) {
  if (block == nullptr) return;
  if (size < kMappedFrom) {
    std::free(block);
    return;
  }
  munmap(block, RoundUp(size, kPage));
}

}  // namespace platform
