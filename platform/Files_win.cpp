#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/Files.h"
#include "platform/Handle_win.h"

namespace platform {

// With code page 932 the name goes to the ANSI call as it is; elsewhere it
// is converted to UTF-16, and a name that is no valid CP932 opens nothing.
namespace {

// Gives fd when it is a file on a disk, as flags ask; else closes it.
int Checked(int fd, int flags) {
  if ((flags & kOpenFileOnly) == 0 ||
      ::GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) == FILE_TYPE_DISK) {
    return fd;
  }
  _close(fd);
  ::SetLastError(ERROR_BAD_FILE_TYPE);
  return -1;
}

thread_local bool lastOpenFoundNoFile = false;

int OpenName(const std::string& path, int flags) {
  int mode = _O_BINARY;
  mode |= (flags & kOpenReadWrite) ? _O_RDWR : _O_RDONLY;
  if (flags & kOpenCreate) mode |= _O_CREAT;
  int fd = -1;
  if (win::SystemIsCp932()) {
    if (_sopen_s(&fd, path.c_str(), mode, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) return -1;
    return Checked(fd, flags);
  }
  std::wstring name;
  if (!win::ToWideName(path, name)) {
    ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return -1;
  }
  if (_wsopen_s(&fd, name.c_str(), mode, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) return -1;
  return Checked(fd, flags);
}

// Why the runtime's open failed, by the system's last error, which it
// leaves: a name that is not there, or (for a stream) a file system that
// has none.
bool FoundNoFile() {
  DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

}  // namespace

int Open(const std::string& path, int flags) {
  int fd = OpenName(path, flags);
  if (fd < 0) lastOpenFoundNoFile = FoundNoFile();
  return fd;
}

bool LastOpenFoundNoFile() { return lastOpenFoundNoFile; }

int64_t FileLength(int fd) { return _filelengthi64(fd); }

int Read(int fd, void* buffer, uint32_t count) { return _read(fd, buffer, count); }

namespace {

thread_local bool lastFailureWasNoRoom = false;

bool IsNoRoom(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

}  // namespace

int Write(int fd, const void* buffer, uint32_t count) {
  int put = _write(fd, buffer, count);
  if (put < 0) lastFailureWasNoRoom = errno == ENOSPC;
  return put;
}

// Wine sets a file's end by first writing a byte past it, even when the
// length does not change: on a full disk that fails although nothing needs
// to change, and a save written whole would be reported as failed. A file
// that already has the length is left alone.
bool ChangeSize(int fd, int64_t size) {
  if (_filelengthi64(fd) == size) return true;
  return _chsize_s(fd, size) == 0;
}

int Flush(int fd) {
  if (::FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd)))) return 0;
  lastFailureWasNoRoom = IsNoRoom(::GetLastError());
  return -1;
}

int Close(int fd) { return _close(fd); }

bool LastFailureWasNoRoom() { return lastFailureWasNoRoom; }

bool win::GetWideFullPath(const std::string& path, std::wstring& full) {
  std::wstring name;
  if (path.empty() || !ToWideName(path, name)) return false;
  std::vector<wchar_t> buffer(kLongestWidePath, L'\0');
  DWORD length =
      ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length == 0 || length >= buffer.size()) return false;
  full.assign(buffer.data(), length);
  return true;
}

bool GetFullPath(const std::string& path, std::string& full) {
  std::wstring wide;
  return win::GetWideFullPath(path, wide) && win::ToCp932Name(wide, full);
}

bool SlashBeginsAnAbsolutePath() { return false; }

bool IsSameFile(const std::string& one, const std::string& other) {
  std::wstring oneName;
  std::wstring otherName;
  if (!win::ToWideName(one, oneName) || !win::ToWideName(other, otherName)) return false;
  win::CAutoCloseHandle oneFile(win::OpenAttributes(oneName.c_str()));
  win::CAutoCloseHandle otherFile(win::OpenAttributes(otherName.c_str()));
  BY_HANDLE_FILE_INFORMATION oneInfo{};
  BY_HANDLE_FILE_INFORMATION otherInfo{};
  return oneFile.IsValid() && otherFile.IsValid() &&
         ::GetFileInformationByHandle(oneFile.Get(), &oneInfo) &&
         ::GetFileInformationByHandle(otherFile.Get(), &otherInfo) &&
         win::SameFile(oneInfo, otherInfo);
}

}  // namespace platform
