// The steps of the all-or-nothing save on Linux (Replacement.cpp takes
// them in order). Every step works relative to the file's folder, opened
// when the file was and held until the save, so that a folder or link
// another program swaps in meanwhile cannot move the save elsewhere: the
// new file, the check that the file is still the one loaded, and the
// rename all name the file inside that folder.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/Attributes_posix.h"
#include "platform/Cp932_posix.h"
#include "platform/Files.h"
#include "platform/Files_posix.h"
#include "platform/Replacement.h"
#include "platform/ReplacementNames.h"

namespace platform {

namespace {

bool SameTime(const struct timespec& one, const struct timespec& other) {
  return one.tv_sec == other.tv_sec && one.tv_nsec == other.tv_nsec;
}

// The same file with the same content, as far as the system tells. The
// change time moves with every write, also when a program puts the
// last-write time back afterwards.
bool SameVersion(const struct stat& one, const struct stat& other) {
  return one.st_dev == other.st_dev && one.st_ino == other.st_ino && one.st_size == other.st_size &&
         SameTime(one.st_mtim, other.st_mtim) && SameTime(one.st_ctim, other.st_ctim);
}

// A folder that takes no new file, or a device without room for one: the
// reasons a save may go in place instead.
bool FolderRefused(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ENOSPC || error == EDQUOT;
}

// Opens the folder of an absolute path and gives the name in it.
bool OpenPlace(const std::string& resolved, CAutoCloseFile& folder, std::string& name) {
  size_t slash = resolved.rfind('/');
  if (slash == std::string::npos || slash + 1 == resolved.size()) return false;
  std::string path = slash == 0 ? "/" : resolved.substr(0, slash);
  name = resolved.substr(slash + 1);
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // A folder that may be passed but not listed can still be worked in.
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  folder = CAutoCloseFile(fd);
  return folder.IsValid();
}

// The path with links followed; a file that does not exist yet is named
// in its folder, with that folder's links followed.
bool Resolve(const std::string& system, std::string& resolved) {
  char buffer[PATH_MAX];
  if (::realpath(system.c_str(), buffer) != nullptr) {
    resolved = buffer;
    return true;
  }
  if (errno != ENOENT) return false;
  size_t slash = system.rfind('/');
  std::string folder = slash == std::string::npos ? "."
                       : slash == 0               ? "/"
                                                  : system.substr(0, slash);
  std::string name = slash == std::string::npos ? system : system.substr(slash + 1);
  if (name.empty() || ::realpath(folder.c_str(), buffer) == nullptr) return false;
  resolved = std::string(buffer) + (std::string(buffer) == "/" ? "" : "/") + name;
  return true;
}

// Owns a folder's listing from fdopendir and closes it, and with it the
// descriptor it was opened on.
class CAutoCloseDir {
 public:
  explicit CAutoCloseDir(DIR* entries) : entries_(entries) {}
  ~CAutoCloseDir() {
    if (entries_ != nullptr) ::closedir(entries_);
  }
  CAutoCloseDir(const CAutoCloseDir&) = delete;
  CAutoCloseDir& operator=(const CAutoCloseDir&) = delete;
  DIR* Get() const { return entries_; }

 private:
  DIR* entries_;
};

bool ProcessExists(pid_t process) { return ::kill(process, 0) == 0 || errno == EPERM; }

// The mode a file created with the mode 0666 gets.
mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

struct CHeldFile::State {
  CAutoCloseFile folder{-1};
  std::string name;
  struct stat opened {};
};

CHeldFile::CHeldFile() = default;
CHeldFile::~CHeldFile() = default;

int CHeldFile::Open(const std::string& path) {
  Release();
  std::string system;
  if (!posix::ToSystemName(path, system)) {
    errno = EILSEQ;
    return -1;
  }
  auto state = std::make_unique<State>();
  char buffer[PATH_MAX];
  if (::realpath(system.c_str(), buffer) == nullptr ||
      !OpenPlace(buffer, state->folder, state->name)) {
    return -1;
  }
  // Not blocking: a FIFO or a device is refused at once, not waited on.
  CAutoCloseFile file(::openat(state->folder.Get(), state->name.c_str(),
                               O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  if (!file.IsValid() || ::fstat(file.Get(), &state->opened) != 0 ||
      !S_ISREG(state->opened.st_mode) || posix::IsReadOnly(state->opened) ||
      ::fcntl(file.Get(), F_SETFL, 0) != 0) {
    return -1;
  }
  state_ = std::move(state);
  return file.Release();
}

bool CHeldFile::IsHeld() const { return state_ != nullptr; }

bool CHeldFile::IsUnchanged() const {
  struct stat now {};
  return IsHeld() &&
         ::fstatat(state_->folder.Get(), state_->name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
         SameVersion(now, state_->opened);
}

int CHeldFile::OpenForWriting() const {
  if (!IsHeld()) return -1;
  CAutoCloseFile file(::openat(state_->folder.Get(), state_->name.c_str(),
                               O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  struct stat now {};
  if (!file.IsValid() || ::fstat(file.Get(), &now) != 0 || now.st_dev != state_->opened.st_dev ||
      now.st_ino != state_->opened.st_ino || posix::IsReadOnly(now) ||
      ::fcntl(file.Get(), F_SETFL, 0) != 0) {
    return -1;
  }
  return file.Release();
}

bool CHeldFile::Renew() {
  if (IsHeld() && ::fstatat(state_->folder.Get(), state_->name.c_str(), &state_->opened,
                            AT_SYMLINK_NOFOLLOW) == 0) {
    return true;
  }
  Release();
  return false;
}

void CHeldFile::Release() { state_.reset(); }

// The folder and name of the file, what the system keeps of it, and the
// new file beside it.
struct CReplacementFile::State {
  CAutoCloseFile folder{-1};
  std::string target;
  std::string replacement;  // once made
  struct stat kept {};
};

CReplacementFile::CReplacementFile() : state_(std::make_unique<State>()) {}

CReplacementFile::~CReplacementFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!state_->replacement.empty() && !committed_) {
    ::unlinkat(state_->folder.Get(), state_->replacement.c_str(), 0);
  }
}

bool CReplacementFile::Locate(const CHeldFile& file) {
  state_->folder = CAutoCloseFile(::fcntl(file.state_->folder.Get(), F_DUPFD_CLOEXEC, 0));
  state_->target = file.state_->name;
  return state_->folder.IsValid();
}

bool CReplacementFile::Locate(const std::string& path) {
  std::string system;
  std::string resolved;
  return posix::ToSystemName(path, system) && Resolve(system, resolved) &&
         OpenPlace(resolved, state_->folder, state_->target);
}

ReplaceStep CReplacementFile::Examine() {
  struct stat current {};
  if (::fstatat(state_->folder.Get(), state_->target.c_str(), &current, AT_SYMLINK_NOFOLLOW) == 0) {
    if (!S_ISREG(current.st_mode)) return ReplaceStep::kFailed;
    if (current.st_nlink != 1 || posix::IsReadOnly(current)) return ReplaceStep::kNotPossible;
    state_->kept = current;
    exists_ = true;
  } else if (errno != ENOENT || held_ != nullptr) {
    return ReplaceStep::kFailed;
  }
  return ReplaceStep::kDone;
}

// Removes the new files that runs killed before they could remove them
// left beside the file, and their backups, which are only copies while the
// file itself is there.
void CReplacementFile::RemoveLeftovers() const {
  int listed = ::openat(state_->folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listed < 0) return;
  CAutoCloseDir entries(::fdopendir(listed));
  if (entries.Get() == nullptr) {
    ::close(listed);
    return;
  }
  while (const dirent* entry = ::readdir(entries.Get())) {
    uint32_t process = ProcessOfLeftover(entry->d_name, state_->target);
    if (process != 0 && static_cast<pid_t>(process) != ::getpid() &&
        (exists_ || !IsBackupName(entry->d_name)) && !ProcessExists(static_cast<pid_t>(process))) {
      ::unlinkat(state_->folder.Get(), entry->d_name, 0);
    }
  }
}

bool CReplacementFile::HasRoomFor(uint64_t size) const {
  struct statvfs device {};
  if (::fstatvfs(state_->folder.Get(), &device) != 0) return true;  // the writes will tell
  return uint64_t{device.f_bavail} * device.f_frsize >= size;
}

CReplacementFile::NewFile CReplacementFile::CreateNewFile(int attempt) {
  std::string candidate =
      ReplacementName(state_->target, static_cast<uint32_t>(::getpid()), attempt);
  fd_ = ::openat(state_->folder.Get(), candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                 0600);
  if (fd_ >= 0) {
    state_->replacement = candidate;
    return NewFile::kMade;
  }
  if (errno == EEXIST) return NewFile::kNameTaken;
  return FolderRefused(errno) ? NewFile::kFolderRefused : NewFile::kFailed;
}

// Gives the new file what the system keeps of the old one: its owner and
// group (the group alone where the owner cannot be given), its mode, its
// ACL and its user attributes. The owner comes first, since giving a file
// away clears its set-user-ID bits; the ACL last, since the mode rewrites
// its mask. False when the mode cannot be given.
bool CReplacementFile::GiveKept() const {
  if (!exists_) return ::fchmod(fd_, NewFileMode()) == 0;
  const struct stat& kept = state_->kept;
  if (::fchown(fd_, kept.st_uid, kept.st_gid) != 0) {
    [[maybe_unused]] int grouped = ::fchown(fd_, static_cast<uid_t>(-1), kept.st_gid);
  }
  if (::fchmod(fd_, kept.st_mode & 07777) != 0) return false;
  CAutoCloseFile old(::openat(state_->folder.Get(), state_->target.c_str(),
                              O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  if (old.IsValid()) posix::CopyAttributes(old.Get(), fd_);
  return true;
}

ReplaceStep CReplacementFile::PutInPlace() {
  if (::renameat(state_->folder.Get(), state_->replacement.c_str(), state_->folder.Get(),
                 state_->target.c_str()) != 0) {
    return FolderRefused(errno) ? ReplaceStep::kNotPossible : ReplaceStep::kFailed;
  }
  committed_ = true;
  // The new name lasts once the folder is on the device; a device that
  // cannot take it is reported, although the file is the new one now (a
  // power failure would bring back the old one, whole). A folder held
  // without read permission cannot be flushed by this process.
  bool lasting = ::fsync(state_->folder.Get()) == 0 || errno == EINVAL || errno == EBADF;
  return lasting ? ReplaceStep::kDone : ReplaceStep::kFailed;
}

}  // namespace platform
