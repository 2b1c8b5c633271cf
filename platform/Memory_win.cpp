#include <windows.h>

#include "platform/Memory.h"

namespace platform {

void* VirtualAlloc(size_t size) {
  return ::VirtualAlloc(nullptr, size == 0 ? 1 : size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void VirtualFree(void* block, size_t /*size*/) {
  if (block != nullptr) ::VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace platform
