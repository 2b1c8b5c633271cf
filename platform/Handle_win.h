// What the Windows side of the file calls shares between its files.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>

namespace platform::win {

// The longest path the wide calls take, in UTF-16 units.
constexpr size_t kLongestWidePath = 32768;

// The full path of the file a name opens, in the system's own characters:
// the folder it lies in may have no CP932 form.
bool GetWideFullPath(const std::string& path, std::wstring& full);

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
  CAutoCloseHandle& operator=(CAutoCloseHandle&& other) noexcept {
    if (this != &other) {
      if (IsValid()) ::CloseHandle(handle_);
      handle_ = other.Release();
    }
    return *this;
  }
  HANDLE Get() const { return handle_; }
  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Gives the handle up to a new owner.
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

// Owns a search from FindFirstFileW and ends it on every path.
class CAutoFindClose {
 public:
  explicit CAutoFindClose(HANDLE search) : search_(search) {}
  ~CAutoFindClose() {
    if (IsValid()) ::FindClose(search_);
  }
  CAutoFindClose(const CAutoFindClose&) = delete;
  CAutoFindClose& operator=(const CAutoFindClose&) = delete;
  HANDLE Get() const { return search_; }
  bool IsValid() const { return search_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE search_;
};

// Opens an existing file, or folder, to read its attributes only: every
// sharing allowed, so that no other program is kept from anything.
inline HANDLE OpenAttributes(const wchar_t* path) {
  return ::CreateFileW(path, FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The same file: the same volume and the same index on it.
inline bool SameFile(const BY_HANDLE_FILE_INFORMATION& one,
                     const BY_HANDLE_FILE_INFORMATION& other) {
  return one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
         one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

}  // namespace platform::win
