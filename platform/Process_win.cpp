#include <windows.h>

#include "platform/Process.h"

namespace platform {

uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) {
  return ::GetCurrentDirectoryA(size, buffer);
}

}  // namespace platform
