// The Linux stand-in for the C runtime's file calls. It works on real
// files, whose CP932 names it converts to the system's encoding, and
// treats a file whose permission bits grant no write at all as read-only,
// as Windows treats the read-only attribute (even for an administrator,
// who would otherwise be let through).
#include "platform/Files_posix.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Cp932_posix.h"
#include "platform/Files.h"

namespace platform {

namespace {

thread_local bool lastFailureWasNoRoom = false;
thread_local bool lastOpenFoundNoFile = false;

// Notes why a call failed; answers the call's result.
template <typename Result>
Result Noted(Result result) {
  if (result < 0) lastFailureWasNoRoom = errno == ENOSPC || errno == EDQUOT;
  return result;
}

int OpenName(const std::string& path, int flags) {
  // A name that is no valid CP932, or has no form in the system's
  // encoding, names no file: it is never opened under a mangled name.
  std::string name;
  if (!posix::ToSystemName(path, name)) {
    errno = EILSEQ;
    return -1;
  }
  struct stat info {};
  bool exists = ::stat(name.c_str(), &info) == 0;
  if (exists && (S_ISDIR(info.st_mode) || ((flags & kOpenReadWrite) && posix::IsReadOnly(info)))) {
    errno = EACCES;
    return -1;
  }
  int mode = O_CLOEXEC | ((flags & kOpenReadWrite) ? O_RDWR : O_RDONLY);
  if (flags & kOpenCreate) mode |= O_CREAT;
  if (!(flags & kOpenFileOnly)) return ::open(name.c_str(), mode, 0666);
  // Not blocking, so that a FIFO without a writer does not hold the open.
  CAutoCloseFile file(::open(name.c_str(), mode | O_NONBLOCK, 0666));
  if (!file.IsValid() || ::fstat(file.Get(), &info) != 0) return -1;
  if (!S_ISREG(info.st_mode) || ::fcntl(file.Get(), F_SETFL, 0) != 0) {
    errno = EINVAL;
    return -1;
  }
  return file.Release();
}

}  // namespace

int Open(const std::string& path, int flags) {
  int fd = OpenName(path, flags);
  if (fd < 0) lastOpenFoundNoFile = errno == ENOENT || errno == ENOTDIR;
  return fd;
}

bool LastOpenFoundNoFile() { return lastOpenFoundNoFile; }

int64_t FileLength(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

int Write(int fd, const void* buffer, uint32_t count) {
  ssize_t put;
  do {
    put = ::write(fd, buffer, count);
  } while (put < 0 && errno == EINTR);
  return Noted(static_cast<int>(put));
}

bool ChangeSize(int fd, int64_t size) { return ::ftruncate(fd, static_cast<off_t>(size)) == 0; }

int Flush(int fd) { return Noted(::fsync(fd)); }

int Close(int fd) { return Noted(::close(fd)); }

bool LastFailureWasNoRoom() { return lastFailureWasNoRoom; }

bool GetFullPath(const std::string& path, std::string& full) {
  if (path.empty()) return false;
  if (path[0] == '/') {
    full = path;
    return true;
  }
  char folder[PATH_MAX];
  std::string cp932;
  if (::getcwd(folder, sizeof folder) == nullptr || !posix::ToCp932Name(folder, cp932)) {
    return false;
  }
  full = cp932 + (cp932.back() == '/' ? "" : "/") + path;
  return true;
}

bool SlashBeginsAnAbsolutePath() { return true; }

bool IsSameFile(const std::string& one, const std::string& other) {
  std::string oneName;
  std::string otherName;
  struct stat oneInfo {};
  struct stat otherInfo {};
  return posix::ToSystemName(one, oneName) && posix::ToSystemName(other, otherName) &&
         ::stat(oneName.c_str(), &oneInfo) == 0 && ::stat(otherName.c_str(), &otherInfo) == 0 &&
         oneInfo.st_dev == otherInfo.st_dev && oneInfo.st_ino == otherInfo.st_ino;
}

}  // namespace platform
