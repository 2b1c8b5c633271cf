// The browser's large blocks: WebAssembly has one linear memory and no
// mapping, so every block comes from the heap.
#include <cstdlib>

#include "platform/Memory.h"

namespace platform {

void* VirtualAlloc(size_t size) { return std::malloc(size == 0 ? 1 : size); }

void VirtualFree(void* block, size_t) { std::free(block); }

}  // namespace platform
