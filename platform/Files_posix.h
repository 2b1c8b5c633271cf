// What the Linux side of the file calls shares between its files.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform::posix {

// A file whose permission bits grant no write at all is read-only, as
// Windows treats the read-only attribute, even for an administrator, who
// would otherwise be let through.
inline bool IsReadOnly(const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// read(2), retried where a signal interrupted it: the count read, or -1.
inline int ReadRetried(int fd, void* buffer, uint32_t count) {
  ssize_t got;
  do {
    got = ::read(fd, buffer, count);
  } while (got < 0 && errno == EINTR);
  return static_cast<int>(got);
}

}  // namespace platform::posix
