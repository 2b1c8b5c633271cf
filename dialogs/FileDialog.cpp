#include "dialogs/FileDialog.h"

#include <cstring>

namespace {

constexpr char kAllFilesFilter[] = "すべてのファイル (*.*)\0*.*\0";

}  // namespace

COpenFileDialog::COpenFileDialog(platform::WindowHandle owner)
    : CFileDialogBase(owner, platform::kOfnHideReadOnly | platform::kOfnFileMustExist |
                                 platform::kOfnLongNames) {}

CFileDialogBase::CFileDialogBase(platform::WindowHandle owner, uint32_t flags) : record_{} {
  std::memset(fileName_, 0, sizeof fileName_);
  record_.structSize = platform::kOpenFileNameSize;
  record_.owner = owner;
  record_.filter = kAllFilesFilter;
  record_.file = fileName_;
  record_.maxFile = kFileNameBufferSize;
  record_.flags = flags;
}

bool CFileDialogBase::SetFileName(const std::string& name) {
  if (name.size() >= kFileNameBufferSize) return false;
  std::memcpy(fileName_, name.c_str(), name.size() + 1);
  record_.file = fileName_;
  return true;
}

bool CFileDialogBase::ShowWith(int (*show)(platform::OpenFileNameRecord&)) {
  bool chosen = show(record_) != 0;
  refused_ = !chosen && platform::CommDlgExtendedError() == platform::kFnErrInvalidFileName;
  return chosen;
}

FileChoice CFileDialogBase::ChoiceAfter(bool shown, std::string& path) const {
  if (!shown) return refused_ ? FileChoice::kRefused : FileChoice::kCancelled;
  char chosen[kFileNameBufferSize];
  GetFileName(chosen);
  path = chosen;
  return FileChoice::kChosen;
}

bool COpenFileDialog::Show() { return ShowWith(platform::ShowOpenFileDialog); }

uint32_t CFileDialogBase::GetFileName(char* destination) const {
  size_t length = strnlen(fileName_, kFileNameBufferSize - 1);
  std::memcpy(destination, fileName_, length);
  destination[length] = '\0';
  return static_cast<uint32_t>(length);
}

CSaveFileDialog::CSaveFileDialog(platform::WindowHandle owner)
    : CFileDialogBase(owner, platform::kOfnOverwritePrompt | platform::kOfnHideReadOnly |
                                 platform::kOfnLongNames) {}

bool CSaveFileDialog::Show() { return ShowWith(platform::ShowSaveFileDialog); }
