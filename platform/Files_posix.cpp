// The Linux stand-in for the C runtime's file calls. It works on real
// files, whose CP932 names it converts to the system's encoding, and
// treats a file whose permission bits grant no write at all as read-only,
// as Windows treats the read-only attribute (even for an administrator,
// who would otherwise be let through).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Cp932_posix.h"
#include "platform/Files.h"

namespace platform {

namespace {

bool IsReadOnly(const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

int Open(const std::string& path, int flags) {
  // A name that is no valid CP932, or has no form in the system's
  // encoding, names no file: it is never opened under a mangled name.
  std::string name;
  if (!posix::ToSystemName(path, name)) {
    errno = EILSEQ;
    return -1;
  }
  struct stat info {};
  bool exists = ::stat(name.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) return -1;
  if (exists && (flags & kOpenReadWrite) && IsReadOnly(info)) return -1;
  int mode = O_CLOEXEC | ((flags & kOpenReadWrite) ? O_RDWR : O_RDONLY);
  if (flags & kOpenCreate) mode |= O_CREAT;
  if (flags & kOpenTruncate) mode |= O_TRUNC;
  return ::open(name.c_str(), mode, 0666);
}

int64_t FileLength(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

int Read(int fd, void* buffer, uint32_t count) {
  ssize_t got;
  do {
    got = ::read(fd, buffer, count);
  } while (got < 0 && errno == EINTR);
  return static_cast<int>(got);
}

int Write(int fd, const void* buffer, uint32_t count) {
  ssize_t put;
  do {
    put = ::write(fd, buffer, count);
  } while (put < 0 && errno == EINTR);
  return static_cast<int>(put);
}

bool ChangeSize(int fd, int64_t size) { return ::ftruncate(fd, static_cast<off_t>(size)) == 0; }

int Close(int fd) { return ::close(fd); }

}  // namespace platform
