// Reading a descriptor on Linux.
#include "platform/Files.h"
#include "platform/Files_posix.h"

namespace platform {

int Read(int fd, void* buffer, uint32_t count) { return posix::ReadRetried(fd, buffer, count); }

}  // namespace platform
