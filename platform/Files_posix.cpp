// The Linux stand-in for the C runtime's file calls. It works on real
// files, whose CP932 names it converts to the system's encoding, and
// treats a file whose permission bits grant no write at all as read-only,
// as Windows treats the read-only attribute (even for an administrator,
// who would otherwise be let through).
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

bool IsReadOnly(const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

thread_local bool lastFailureWasNoRoom = false;

// Notes why a call failed; answers the call's result.
template <typename Result>
Result Noted(Result result) {
  if (result < 0) lastFailureWasNoRoom = errno == ENOSPC || errno == EDQUOT;
  return result;
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
  return Noted(static_cast<int>(put));
}

bool ChangeSize(int fd, int64_t size) { return ::ftruncate(fd, static_cast<off_t>(size)) == 0; }

int Flush(int fd) { return Noted(::fsync(fd)); }

int Close(int fd) { return Noted(::close(fd)); }

bool LastFailureWasNoRoom() { return lastFailureWasNoRoom; }

}  // namespace platform

namespace platform {

// The system's names: the file (links followed) and the new file beside it.
struct CReplacementFile::State {
  std::string target;
  std::string folder;
  std::string replacement;
  struct stat kept {};
  int fd = -1;
  bool committed = false;
};

CReplacementFile::CReplacementFile() : state_(std::make_unique<State>()) {}

CReplacementFile::~CReplacementFile() {
  if (state_->fd >= 0) ::close(state_->fd);
  if (!state_->replacement.empty() && !state_->committed) ::unlink(state_->replacement.c_str());
}

int CReplacementFile::Descriptor() const { return state_->fd; }

namespace {

// Names no CP932 text can write (⁂ has no CP932 form), hidden by the dot.
std::string ReplacementName(const std::string& folder, const std::string& target, int attempt) {
  std::string name = target.substr(target.rfind('/') + 1);
  return folder + "/." + name + "\xE2\x81\x82" + std::to_string(::getpid()) + "-" +
         std::to_string(attempt);
}

bool HasRoomFor(const std::string& folder, uint64_t size) {
  struct statvfs device {};
  if (::statvfs(folder.c_str(), &device) != 0) return true;  // the writes will tell
  return uint64_t{device.f_bavail} * device.f_frsize >= size;
}

ReplaceStep FailureOf(int result) {
  if (result == 0) return ReplaceStep::kDone;
  return lastFailureWasNoRoom ? ReplaceStep::kNotPossible : ReplaceStep::kFailed;
}

}  // namespace

ReplaceStep CReplacementFile::Create(const std::string& path, uint64_t size) {
  State& state = *state_;
  std::string name;
  char resolved[PATH_MAX];
  if (!posix::ToSystemName(path, name) || ::realpath(name.c_str(), resolved) == nullptr ||
      ::stat(resolved, &state.kept) != 0 || !S_ISREG(state.kept.st_mode) ||
      state.kept.st_nlink != 1) {
    return ReplaceStep::kNotPossible;
  }
  state.target = resolved;
  size_t slash = state.target.rfind('/');
  state.folder = slash == 0 ? "/" : state.target.substr(0, slash);
  if (!HasRoomFor(state.folder, size)) return ReplaceStep::kNotPossible;
  for (int attempt = 0; attempt < 100 && state.fd < 0; ++attempt) {
    std::string candidate = ReplacementName(state.folder, state.target, attempt);
    state.fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (state.fd >= 0) state.replacement = candidate;
    if (state.fd < 0 && errno != EEXIST) break;
  }
  return state.fd >= 0 ? ReplaceStep::kDone : ReplaceStep::kNotPossible;
}

ReplaceStep CReplacementFile::Commit() {
  State& state = *state_;
  // The owner first: giving a file away clears its set-user-ID bits.
  [[maybe_unused]] int owned = ::fchown(state.fd, state.kept.st_uid, state.kept.st_gid);
  if (::fchmod(state.fd, state.kept.st_mode & 07777) != 0) return ReplaceStep::kNotPossible;
  ReplaceStep flushed = FailureOf(Flush(state.fd));
  int fd = state.fd;
  state.fd = -1;
  ReplaceStep closed = FailureOf(Close(fd));
  if (flushed != ReplaceStep::kDone) return flushed;
  if (closed != ReplaceStep::kDone) return closed;
  if (::rename(state.replacement.c_str(), state.target.c_str()) != 0) {
    return errno == EIO ? ReplaceStep::kFailed : ReplaceStep::kNotPossible;
  }
  state.committed = true;
  // The new name lasts once the folder is on the device; a device that
  // cannot take it is reported, although the file is the new one now (a
  // power failure would bring back the old one, whole).
  int folder = ::open(state.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return ReplaceStep::kDone;
  bool lasting = ::fsync(folder) == 0 || errno == EINVAL;
  ::close(folder);
  return lasting ? ReplaceStep::kDone : ReplaceStep::kFailed;
}

}  // namespace platform
