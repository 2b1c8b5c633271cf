// Reading a descriptor on Linux: a read the system interrupts is retried.
#include <unistd.h>

#include <cerrno>

#include "platform/Files.h"

namespace platform {

int Read(int fd, void* buffer, uint32_t count) {
  ssize_t got;
  do {
    got = ::read(fd, buffer, count);
  } while (got < 0 && errno == EINTR);
  return static_cast<int>(got);
}

}  // namespace platform
