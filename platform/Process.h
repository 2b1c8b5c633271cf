// Process-wide calls of kernel32 that the programs use.
#pragma once

#include <cstdint>

namespace platform {

// Room for the current folder's name and its NUL.
constexpr uint32_t kFolderBufferSize = 4096;

// GetCurrentFolder: the length written (without its NUL) when the
// folder fits into size bytes; 0 on failure.
uint32_t GetCurrentFolder(uint32_t size, char* buffer);

}  // namespace platform
