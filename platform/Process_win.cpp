#include <windows.h>

#include "platform/Process.h"

namespace platform {

uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) {
  // A folder that does not fit is answered with the size it would need,
  // and the buffer is left unfilled: that is a failure here.
  DWORD length = ::GetCurrentDirectoryA(size, buffer);
  return length < size ? length : 0;
}

}  // namespace platform
