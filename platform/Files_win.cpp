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

namespace platform {

namespace {

// Owns a handle from CreateFileW, whose failure value is
// INVALID_HANDLE_VALUE, and closes it on every path.
class CAutoCloseHandle {
 public:
  explicit CAutoCloseHandle(HANDLE handle) : handle_(handle) {}
  ~CAutoCloseHandle() {
    if (IsValid()) ::CloseHandle(handle_);
  }
  CAutoCloseHandle(const CAutoCloseHandle&) = delete;
  CAutoCloseHandle& operator=(const CAutoCloseHandle&) = delete;
  HANDLE Get() const { return handle_; }
  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Gives the handle up to a new owner.
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

}  // namespace

// With code page 932 the name goes to the ANSI call as it is; elsewhere it
// is converted to UTF-16, and a name that is no valid CP932 opens nothing.
int Open(const std::string& path, int flags) {
  int mode = _O_BINARY;
  mode |= (flags & kOpenReadWrite) ? _O_RDWR : _O_RDONLY;
  if (flags & kOpenCreate) mode |= _O_CREAT;
  if (flags & kOpenTruncate) mode |= _O_TRUNC;
  int fd = -1;
  if (win::SystemIsCp932()) {
    if (_sopen_s(&fd, path.c_str(), mode, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) return -1;
    return fd;
  }
  std::wstring name;
  if (!win::ToWideName(path, name)) return -1;
  if (_wsopen_s(&fd, name.c_str(), mode, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) return -1;
  return fd;
}

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

}  // namespace platform

namespace platform {

// The file (links followed) and the new file beside it, and what the
// system keeps of the file.
struct CReplacementFile::State {
  std::wstring target;
  std::wstring replacement;
  BY_HANDLE_FILE_INFORMATION kept{};
  int fd = -1;
  bool committed = false;
};

CReplacementFile::CReplacementFile() : state_(std::make_unique<State>()) {}

CReplacementFile::~CReplacementFile() {
  if (state_->fd >= 0) _close(state_->fd);
  if (!state_->replacement.empty() && !state_->committed) {
    ::DeleteFileW(state_->replacement.c_str());
  }
}

int CReplacementFile::Descriptor() const { return state_->fd; }

namespace {

// The file's full name with links followed, and what the system keeps of
// it; false for a folder or a file with more than one name.
bool Inspect(const std::wstring& path, std::wstring& target, BY_HANDLE_FILE_INFORMATION& kept) {
  CAutoCloseHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  std::vector<wchar_t> name(32768, L'\0');
  DWORD length =
      ::GetFinalPathNameByHandleW(file.Get(), name.data(), static_cast<DWORD>(name.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  bool inspected = ::GetFileInformationByHandle(file.Get(), &kept) != 0;
  if (!inspected || length == 0 || length >= name.size()) return false;
  target.assign(name.data(), length);
  return (kept.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && kept.nNumberOfLinks == 1;
}

bool HasRoomFor(const std::wstring& folder, uint64_t size) {
  ULARGE_INTEGER available{};
  if (!::GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr)) return true;
  return available.QuadPart >= size;
}

// Names no CP932 text can write (⁂ has no CP932 form), hidden.
std::wstring ReplacementName(const std::wstring& target, int attempt) {
  return target.substr(0, target.rfind(L'\\') + 1) + L"." + target.substr(target.rfind(L'\\') + 1) +
         L"\u2042" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
}

// The hidden new file beside the target, under the first free name.
HANDLE CreateNewFileBeside(const std::wstring& target, std::wstring& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring candidate = ReplacementName(target, attempt);
    HANDLE file = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      name = candidate;
      return file;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// Wine's ReplaceFileW moves the file aside and then the new file in, two
// steps where a power failure may come between, and leaves an empty file
// of its own in the folder; there one rename over the file is the one step.
bool RunsOnWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// ReplaceFileW. Should it fail after taking the file away, the new file is
// the only copy left: it is put in place, or kept.
ReplaceStep Replace(const std::wstring& target, const std::wstring& replacement, bool& committed) {
  DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (RunsOnWine()) {
    if (::MoveFileExW(replacement.c_str(), target.c_str(), moveFlags)) committed = true;
    return committed ? ReplaceStep::kDone : ReplaceStep::kNotPossible;
  }
  if (::ReplaceFileW(target.c_str(), replacement.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
    committed = true;
    return ReplaceStep::kDone;
  }
  if (::GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
      ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return ReplaceStep::kNotPossible;
  }
  committed = true;
  return ::MoveFileExW(replacement.c_str(), target.c_str(), moveFlags) ? ReplaceStep::kDone
                                                                       : ReplaceStep::kFailed;
}

// What ReplaceFileW keeps of the file, given back where the system's
// replace did not keep it (Wine): its attributes and creation time.
void GiveBack(const std::wstring& target, const BY_HANDLE_FILE_INFORMATION& kept) {
  ::SetFileAttributesW(target.c_str(), kept.dwFileAttributes);
  CAutoCloseHandle file(::CreateFileW(target.c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.IsValid()) ::SetFileTime(file.Get(), &kept.ftCreationTime, nullptr, nullptr);
}

}  // namespace

ReplaceStep CReplacementFile::Create(const std::string& path, uint64_t size) {
  State& state = *state_;
  std::wstring name;
  if (!win::ToWideName(path, name) || !Inspect(name, state.target, state.kept)) {
    return ReplaceStep::kNotPossible;
  }
  if (!HasRoomFor(state.target.substr(0, state.target.rfind(L'\\') + 1), size)) {
    return ReplaceStep::kNotPossible;
  }
  CAutoCloseHandle file(CreateNewFileBeside(state.target, state.replacement));
  if (!file.IsValid()) return ReplaceStep::kNotPossible;
  state.fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_BINARY | _O_WRONLY);
  if (state.fd < 0) return ReplaceStep::kNotPossible;
  file.Release();  // the descriptor owns it now
  return ReplaceStep::kDone;
}

ReplaceStep CReplacementFile::Commit() {
  State& state = *state_;
  bool flushed = Flush(state.fd) == 0;
  int fd = state.fd;
  state.fd = -1;
  bool closed = _close(fd) == 0;
  if (!flushed || !closed) {
    return lastFailureWasNoRoom ? ReplaceStep::kNotPossible : ReplaceStep::kFailed;
  }
  ReplaceStep replaced = Replace(state.target, state.replacement, state.committed);
  if (replaced == ReplaceStep::kDone) GiveBack(state.target, state.kept);
  return replaced;
}

}  // namespace platform
