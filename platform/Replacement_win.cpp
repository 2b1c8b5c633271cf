// The steps of the all-or-nothing save on Windows (Replacement.cpp takes
// them in order). A loaded file is held by a handle from the load on, and
// saved to the name that handle had then, with links followed: a link or
// folder swapped in later does not move the save, and a file that another
// program changed, replaced or removed meanwhile is not written at all.
// The new file takes the old one's place with ReplaceFileW, which keeps
// the old one under a backup name until the new one is in place.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/Files.h"
#include "platform/Handle_win.h"
#include "platform/ReplaceKeepingBackup.h"
#include "platform/Replacement.h"
#include "platform/ReplacementNames.h"

namespace platform {

using win::CAutoCloseHandle;

namespace {

// The full name of an open file with links followed.
bool FinalName(HANDLE file, std::wstring& name) {
  std::vector<wchar_t> buffer(win::kLongestWidePath, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= buffer.size()) return false;
  name.assign(buffer.data(), length);
  return true;
}

// What the system tells of a file: which it is, its size and times. The
// change time moves with every write, also when a program puts the
// last-write time back afterwards.
struct FileVersion {
  BY_HANDLE_FILE_INFORMATION information{};
  LARGE_INTEGER changeTime{};
};

bool VersionOf(HANDLE file, FileVersion& version) {
  FILE_BASIC_INFO basic{};
  if (!::GetFileInformationByHandle(file, &version.information) ||
      !::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) {
    return false;
  }
  version.changeTime = basic.ChangeTime;
  return true;
}

// What the system tells of the file under path now; false when none is.
bool VersionOf(const std::wstring& path, FileVersion& version) {
  CAutoCloseHandle file(win::OpenAttributes(path.c_str()));
  return file.IsValid() && VersionOf(file.Get(), version);
}

// The same file with the same content, as far as the system tells.
bool SameVersion(const FileVersion& one, const FileVersion& other) {
  const BY_HANDLE_FILE_INFORMATION& a = one.information;
  const BY_HANDLE_FILE_INFORMATION& b = other.information;
  return win::SameFile(a, b) && a.nFileSizeHigh == b.nFileSizeHigh &&
         a.nFileSizeLow == b.nFileSizeLow &&
         ::CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 &&
         one.changeTime.QuadPart == other.changeTime.QuadPart;
}

// True when the file under path is the one described, unchanged.
bool StillTheFile(const std::wstring& path, const FileVersion& opened) {
  FileVersion now;
  return VersionOf(path, now) && SameVersion(now, opened);
}

// A folder that takes no new file, or a device without room for one: the
// reasons a save may go in place instead.
bool FolderRefused(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_DISK_FULL ||
         error == ERROR_HANDLE_DISK_FULL;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }
std::wstring NameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

std::wstring ReplacementPath(const std::wstring& target, int attempt) {
  return FolderOf(target) + win::FromUtf8(ReplacementName(win::ToUtf8(NameOf(target)),
                                                          ::GetCurrentProcessId(), attempt));
}

std::wstring BackupPath(const std::wstring& replacement) { return replacement + L"~"; }

bool ProcessEnded(uint32_t process) {
  HANDLE opened = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (opened == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  CAutoCloseHandle running(opened);
  DWORD code = 0;
  return ::GetExitCodeProcess(running.Get(), &code) && code != STILL_ACTIVE;
}

bool RemoveFile(const std::wstring& path) {
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ::DeleteFileW(path.c_str()) != 0;
}

// Wine's ReplaceFileW moves the file aside and then the new file in, two
// steps where a power failure may come between, and leaves an empty file
// of its own in the folder; there one rename over the file is the one step.
bool RunsOnWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

ReplaceStep Replace(const std::wstring& target, const std::wstring& replacement, bool& committed) {
  if (RunsOnWine()) {
    committed = ::MoveFileExW(replacement.c_str(), target.c_str(), kMoveFlags) != 0;
    return committed ? ReplaceStep::kDone : ReplaceStep::kNotPossible;
  }
  const std::wstring backup = BackupPath(replacement);
  ReplaceCalls calls{
      [&] {
        return ::ReplaceFileW(target.c_str(), replacement.c_str(), backup.c_str(),
                              REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                              nullptr, nullptr)
                   ? uint32_t{0}
                   : static_cast<uint32_t>(::GetLastError());
      },
      [&] { return ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES; },
      [&] { return ::MoveFileExW(replacement.c_str(), target.c_str(), kMoveFlags) != 0; },
      [&] { return ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0; },
      [&] { return RemoveFile(backup); },
  };
  return ReplaceKeepingBackup(calls, committed);
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

struct CHeldFile::State {
  CAutoCloseHandle held{INVALID_HANDLE_VALUE};
  std::wstring target;  // its full name when opened, links followed
  FileVersion opened;
};

CHeldFile::CHeldFile() = default;
CHeldFile::~CHeldFile() = default;

int CHeldFile::Open(const std::string& path) {
  Release();
  CAutoCloseFile content(platform::Open(path, kOpenReadWrite | kOpenFileOnly));
  std::wstring name;
  if (!content.IsValid() || !win::ToWideName(path, name)) return -1;
  auto state = std::make_unique<State>();
  state->held = CAutoCloseHandle(win::OpenAttributes(name.c_str()));
  BY_HANDLE_FILE_INFORMATION read{};
  if (!state->held.IsValid() || !FinalName(state->held.Get(), state->target) ||
      !VersionOf(state->held.Get(), state->opened) ||
      !::GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(content.Get())),
                                    &read) ||
      !win::SameFile(read, state->opened.information)) {
    return -1;
  }
  state_ = std::move(state);
  return content.Release();
}

bool CHeldFile::IsHeld() const { return state_ != nullptr; }

bool CHeldFile::IsUnchanged() const {
  return IsHeld() && StillTheFile(state_->target, state_->opened);
}

int CHeldFile::OpenForWriting() const {
  if (!IsHeld()) return -1;
  int fd = -1;
  if (_wsopen_s(&fd, state_->target.c_str(), _O_RDWR | _O_BINARY, _SH_DENYNO,
                _S_IREAD | _S_IWRITE) != 0) {
    return -1;
  }
  CAutoCloseFile file(fd);
  BY_HANDLE_FILE_INFORMATION now{};
  if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &now) ||
      !win::SameFile(now, state_->opened.information)) {
    return -1;
  }
  return file.Release();
}

bool CHeldFile::Renew() {
  if (IsHeld()) {
    state_->held = CAutoCloseHandle(win::OpenAttributes(state_->target.c_str()));
    if (state_->held.IsValid() && VersionOf(state_->held.Get(), state_->opened)) {
      return true;
    }
  }
  Release();
  return false;
}

void CHeldFile::Release() { state_.reset(); }

// The file (links followed), what the system keeps of it, and the new
// file beside it.
struct CReplacementFile::State {
  std::wstring target;
  std::wstring replacement;  // once made
  FileVersion kept;
};

CReplacementFile::CReplacementFile() : state_(std::make_unique<State>()) {}

CReplacementFile::~CReplacementFile() {
  if (fd_ >= 0) _close(fd_);
  if (!state_->replacement.empty() && !committed_) RemoveFile(state_->replacement);
}

bool CReplacementFile::Locate(const CHeldFile& file) {
  state_->target = file.state_->target;
  return true;
}

bool CReplacementFile::Locate(const std::string& path) {
  std::wstring name;
  if (!win::ToWideName(path, name)) return false;
  CAutoCloseHandle file(win::OpenAttributes(name.c_str()));
  if (file.IsValid()) return FinalName(file.Get(), state_->target);
  if (::GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  std::vector<wchar_t> full(win::kLongestWidePath, L'\0');
  DWORD length =
      ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return false;
  state_->target.assign(full.data(), length);
  return true;
}

ReplaceStep CReplacementFile::Examine() {
  exists_ = VersionOf(state_->target, state_->kept);
  const BY_HANDLE_FILE_INFORMATION& information = state_->kept.information;
  if (exists_ &&
      ((information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0 ||
       information.nNumberOfLinks != 1)) {
    return ReplaceStep::kNotPossible;
  }
  return ReplaceStep::kDone;
}

// Removes the new files that runs killed before they could remove them
// left beside the file, and their backups, which are only copies while the
// file itself is there.
void CReplacementFile::RemoveLeftovers() const {
  const std::wstring& target = state_->target;
  std::string name = win::ToUtf8(NameOf(target));
  WIN32_FIND_DATAW found{};
  win::CAutoFindClose search(::FindFirstFileW((FolderOf(target) + L".*").c_str(), &found));
  if (!search.IsValid()) return;
  do {
    std::string entry = win::ToUtf8(found.cFileName);
    uint32_t process = ProcessOfLeftover(entry, name);
    if (process != 0 && process != ::GetCurrentProcessId() && (exists_ || !IsBackupName(entry)) &&
        ProcessEnded(process)) {
      RemoveFile(FolderOf(target) + found.cFileName);
    }
  } while (::FindNextFileW(search.Get(), &found));
}

bool CReplacementFile::HasRoomFor(uint64_t size) const {
  ULARGE_INTEGER available{};
  if (!::GetDiskFreeSpaceExW(FolderOf(state_->target).c_str(), &available, nullptr, nullptr)) {
    return true;
  }
  return available.QuadPart >= size;
}

// The new file is hidden.
CReplacementFile::NewFile CReplacementFile::CreateNewFile(int attempt) {
  std::wstring candidate = ReplacementPath(state_->target, attempt);
  HANDLE made = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (made == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_EXISTS) return NewFile::kNameTaken;
    return FolderRefused(error) ? NewFile::kFolderRefused : NewFile::kFailed;
  }
  CAutoCloseHandle file(made);
  state_->replacement = candidate;
  fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_BINARY | _O_WRONLY);
  if (fd_ < 0) return NewFile::kFailed;
  file.Release();  // the descriptor owns it now
  return NewFile::kMade;
}

// ReplaceFileW keeps what the system keeps of the old file; GiveBack
// gives it where the replace did not.
bool CReplacementFile::GiveKept() const { return true; }

ReplaceStep CReplacementFile::PutInPlace() {
  // Wine renames over no file that a handle holds open: there the hold
  // ends here, and the held file's Renew takes it up again.
  if (held_ != nullptr && RunsOnWine()) {
    held_->state_->held = CAutoCloseHandle(INVALID_HANDLE_VALUE);
  }
  State& state = *state_;
  if (!exists_) {
    ::SetFileAttributesW(state.replacement.c_str(), FILE_ATTRIBUTE_NORMAL);
    committed_ =
        ::MoveFileExW(state.replacement.c_str(), state.target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    return committed_ ? ReplaceStep::kDone : ReplaceStep::kFailed;
  }
  ReplaceStep replaced = Replace(state.target, state.replacement, committed_);
  if (replaced == ReplaceStep::kDone) GiveBack(state.target, state.kept.information);
  return replaced;
}

}  // namespace platform
