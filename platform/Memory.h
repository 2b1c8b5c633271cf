// Memory for large buffers (file images, a script's text and units)
// straight from the system.
#pragma once

#include <cstddef>
#include <new>

namespace platform {

// VirtualAlloc(MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE): a read-write
// block of at least size bytes, or nullptr. On Linux a large block is
// aligned and marked for transparent huge pages, so that filling it costs
// one page fault per 2 MiB instead of one per 4 KiB.
void* VirtualAlloc(size_t size);
// VirtualFree(MEM_RELEASE) of a block from VirtualAlloc of the same size.
void VirtualFree(void* block, size_t size);

// An allocator for containers that may grow to many megabytes.
template <typename T>
struct LargeBlockAllocator {
  using value_type = T;
  LargeBlockAllocator() = default;
  template <typename U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

  T* allocate(size_t count) {
    if (count > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    void* block = VirtualAlloc(count * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, size_t count) { VirtualFree(block, count * sizeof(T)); }

  template <typename U>
  bool operator==(const LargeBlockAllocator<U>&) const {
    return true;
  }
};

}  // namespace platform

namespace platform {

// Owns a block from VirtualAlloc and frees it on every path.
class CAutoFreeBlock {
 public:
  CAutoFreeBlock() = default;
  // A block of size bytes; IsValid() is false when none could be had.
  explicit CAutoFreeBlock(size_t size) : block_(VirtualAlloc(size)), size_(size) {}
  ~CAutoFreeBlock() { VirtualFree(block_, size_); }
  CAutoFreeBlock(CAutoFreeBlock&& other) noexcept : block_(other.block_), size_(other.size_) {
    other.block_ = nullptr;
    other.size_ = 0;
  }
  CAutoFreeBlock& operator=(CAutoFreeBlock&& other) noexcept {
    if (this != &other) {
      VirtualFree(block_, size_);
      block_ = other.block_;
      size_ = other.size_;
      other.block_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }
  bool IsValid() const { return block_ != nullptr; }
  char* Get() const { return static_cast<char*>(block_); }

 private:
  void* block_ = nullptr;
  size_t size_ = 0;
};

}  // namespace platform
