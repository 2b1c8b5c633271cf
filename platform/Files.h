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

// How a step of a replacement went.
enum class ReplaceStep {
  kDone,
  kNotPossible,  // the safe way cannot be taken here; the file is as it was
  kFailed,       // the device or the system failed; the file is as it was,
                 // but after a Commit whose folder could not be flushed
};

// A new file that takes an existing file's place in one step, so that the
// file holds exactly its old bytes or exactly its new ones, whatever
// happens to the process, the device or the power meanwhile:
//
//   CReplacementFile replacement;
//   replacement.Create(path, size);              // kDone, or save in place
//   WriteFully(replacement.Descriptor(), ...);   // the whole new content
//   replacement.Commit();                        // kDone: it is in place
//
// The new file lies in the folder of the file (of the file a link names),
// hidden, under a name with no CP932 form: no script, dialog or command
// line can name it. It is removed on every path that does not commit it.
class CReplacementFile {
 public:
  CReplacementFile();
  ~CReplacementFile();
  CReplacementFile(const CReplacementFile&) = delete;
  CReplacementFile& operator=(const CReplacementFile&) = delete;

  // Makes the new file for an existing file of size bytes. kNotPossible
  // when the file is no regular file with one name (a hard link would be
  // cut off), the folder takes no new file, or the device has no room for
  // size bytes more.
  ReplaceStep Create(const std::string& path, uint64_t size);
  // The new file's descriptor, for Write.
  int Descriptor() const;
  // Flushes and closes the new file, gives it what the system keeps of the
  // old one (Linux: its mode and, where permitted, its owner; Windows: its
  // attributes, ACL, creation time and streams, as ReplaceFileW keeps
  // them) and puts it in the file's place, then flushes the folder.
  // kNotPossible when the system refuses (on Windows, another program
  // holds the file open without sharing its deletion); kFailed when the
  // device fails, also when only the folder could not be flushed after the
  // file took the new content (a power failure may then bring back the
  // old content, whole).
  ReplaceStep Commit();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Reads exactly count bytes, continuing a read the system returns in
// parts; false on an error or when the file ends first.
bool ReadFully(int fd, void* buffer, uint64_t count);
// Writes exactly count bytes; false on an error or a write that stops
// short.
bool WriteFully(int fd, const void* buffer, uint64_t count);

}  // namespace platform
