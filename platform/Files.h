// The C runtime's low-level file calls, as the core uses them.
// Paths are code page 932 byte strings. Where the system's encoding is not
// CP932 (Linux, Windows with another code page) they are converted to it;
// a path that is no valid CP932, or has no form there, opens no file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Flags for Open; every file is opened in binary mode and shared for
// reading and writing with other programs.
enum OpenFlag : int {
  kOpenReadWrite = 0x1,  // _O_RDWR
  kOpenCreate = 0x2,     // _O_CREAT, a new file is not read-only
  kOpenFileOnly = 0x8,   // anything but a regular file (a FIFO, a device, a
                         // socket, a pipe) is refused at once, never waited on
};

// _open: a descriptor, or -1. Opening for writing fails on a file that
// is read-only or that another program holds open with writing denied.
int Open(const std::string& path, int flags);
// True when the last Open of this thread that failed found no file of
// that name (ENOENT; on Windows also a stream's name on a file system
// that has no streams); false when something is there that cannot be
// opened (a folder, a FIFO, one without permission).
bool LastOpenFoundNoFile();
// _filelengthi64: the length in bytes, or -1.
int64_t FileLength(int fd);
// _read and _write: the count moved (possibly short), or -1 on error.
int Read(int fd, void* buffer, uint32_t count);
int Write(int fd, const void* buffer, uint32_t count);
// _chsize_s: cuts or extends the file to size bytes; true at once when
// the file already has that size.
bool ChangeSize(int fd, int64_t size);
// FlushFileBuffers, fsync: 0 once everything written is on the device,
// -1 when the device failed.
int Flush(int fd);
// _close: 0, or -1 when the system reports an error (for example data
// that could not be flushed).
int Close(int fd);
// True when the last failed Write or Flush of this thread, or the last
// step of a replacement that was not possible, found the device full
// (ERROR_DISK_FULL, ENOSPC, EDQUOT).
bool LastFailureWasNoRoom();

// Owns a descriptor and closes it on every path.
class CAutoCloseFile {
 public:
  explicit CAutoCloseFile(int fd) : fd_(fd) {}
  ~CAutoCloseFile() { Reset(); }
  CAutoCloseFile(const CAutoCloseFile&) = delete;
  CAutoCloseFile& operator=(const CAutoCloseFile&) = delete;
  CAutoCloseFile(CAutoCloseFile&& other) noexcept : fd_(other.Release()) {}
  CAutoCloseFile& operator=(CAutoCloseFile&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = other.Release();
    }
    return *this;
  }
  int Get() const { return fd_; }
  bool IsValid() const { return fd_ >= 0; }
  // Closes now; false when the close reported an error.
  bool Reset() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || Close(fd) == 0;
  }
  // Gives the descriptor up to a new owner.
  int Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Reads exactly count bytes, continuing a read the system returns in
// parts; false on an error or when the file ends first.
bool ReadFully(int fd, void* buffer, uint64_t count);
// Writes exactly count bytes; false on an error or a write that stops
// short.
bool WriteFully(int fd, const void* buffer, uint64_t count);

// The path made absolute against the current folder, links not followed:
// with its drive on Windows, from the root on Linux. False when that
// cannot be made or has no CP932 form.
bool GetFullPath(const std::string& path, std::string& full);

// True on Linux, where a path that begins with "/" names a file from the
// root; false on Windows, where only a drive letter does.
bool SlashBeginsAnAbsolutePath();

// True when both paths name one existing file, however they spell it
// (links followed, another case on Windows, hard links).
bool IsSameFile(const std::string& one, const std::string& other);

}  // namespace platform
