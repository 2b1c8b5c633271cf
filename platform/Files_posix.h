// What the Linux side of the file calls shares between its files.
#pragma once

#include <sys/stat.h>

namespace platform::posix {

// A file whose permission bits grant no write at all is read-only, as
// Windows treats the read-only attribute, even for an administrator, who
// would otherwise be let through.
inline bool IsReadOnly(const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace platform::posix
