// The C runtime's low-level file calls, as the core uses them.
// Paths are code page 932 byte strings. Where the system's encoding is not
// CP932 (Linux, Windows with another code page) they are converted to it;
// a path that is no valid CP932, or has no form there, opens no file.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Flags for Open; every file is opened in binary mode and shared for
// reading and writing with other programs.
enum OpenFlag : int {
  kOpenReadWrite = 0x1,  // _O_RDWR
  kOpenCreate = 0x2,     // _O_CREAT, a new file is not read-only
  kOpenTruncate = 0x4,   // _O_TRUNC
};

// _open: a descriptor, or -1. Opening for writing fails on a file that
// is read-only or that another program holds open with writing denied.
int Open(const std::string& path, int flags);
// _filelengthi64: the length in bytes, or -1.
int64_t FileLength(int fd);
// _read and _write: the count moved (possibly short), or -1 on error.
int Read(int fd, void* buffer, uint32_t count);
int Write(int fd, const void* buffer, uint32_t count);
// _chsize_s: cuts or extends the file to size bytes; true at once when
// the file already has that size.
bool ChangeSize(int fd, int64_t size);
// _close: 0, or -1 when the system reports an error (for example data
// that could not be flushed).
int Close(int fd);

// Owns a descriptor and closes it on every path.
class AutoCloseFile {
 public:
  explicit AutoCloseFile(int fd) : fd_(fd) {}
  ~AutoCloseFile() { Reset(); }
  AutoCloseFile(const AutoCloseFile&) = delete;
  AutoCloseFile& operator=(const AutoCloseFile&) = delete;
  int Get() const { return fd_; }
  bool IsValid() const { return fd_ >= 0; }
  // Closes now; false when the close reported an error.
  bool Reset() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || Close(fd) == 0;
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

}  // namespace platform
