#include <windows.h>
// The common dialog header needs the types of <windows.h> first.
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/Dialogs.h"

namespace platform {

// The record is handed to the system as its own structure, so every field
// must sit where the system expects it.
#define QPX_SAME_FIELD(ours, theirs) \
  static_assert(offsetof(OpenFileNameRecord, ours) == offsetof(OPENFILENAMEA, theirs))
// OPENFILENAME_SIZE_VERSION_400A, spelt as the system headers define it
// (the end of lpTemplateName) in a form the compiler can evaluate.
constexpr size_t kSystemSize400 = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(kOpenFileNameSize == kSystemSize400);
static_assert(sizeof(void*) != 4 || kSystemSize400 == 76);
QPX_SAME_FIELD(structSize, lStructSize);
QPX_SAME_FIELD(owner, hwndOwner);
QPX_SAME_FIELD(instance, hInstance);
QPX_SAME_FIELD(filter, lpstrFilter);
QPX_SAME_FIELD(customFilter, lpstrCustomFilter);
QPX_SAME_FIELD(maxCustomFilter, nMaxCustFilter);
QPX_SAME_FIELD(filterIndex, nFilterIndex);
QPX_SAME_FIELD(file, lpstrFile);
QPX_SAME_FIELD(maxFile, nMaxFile);
QPX_SAME_FIELD(fileTitle, lpstrFileTitle);
QPX_SAME_FIELD(maxFileTitle, nMaxFileTitle);
QPX_SAME_FIELD(initialDir, lpstrInitialDir);
QPX_SAME_FIELD(title, lpstrTitle);
QPX_SAME_FIELD(flags, Flags);
QPX_SAME_FIELD(fileOffset, nFileOffset);
QPX_SAME_FIELD(fileExtension, nFileExtension);
QPX_SAME_FIELD(defaultExtension, lpstrDefExt);
QPX_SAME_FIELD(customData, lCustData);
QPX_SAME_FIELD(hook, lpfnHook);
QPX_SAME_FIELD(templateName, lpTemplateName);
#undef QPX_SAME_FIELD
static_assert(kOfnOverwritePrompt == OFN_OVERWRITEPROMPT && kOfnHideReadOnly == OFN_HIDEREADONLY &&
              kOfnFileMustExist == OFN_FILEMUSTEXIST && kOfnLongNames == OFN_LONGNAMES);

namespace {

constexpr DWORD kWideSize400 = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);

// Set when a chosen name could not be given back; cleared by each dialog.
uint32_t refusedName = 0;

using WideDialog = BOOL(WINAPI*)(OPENFILENAMEW*);

// The texts of a record in UTF-16, alive while the wide dialog is shown.
struct WideTexts {
  explicit WideTexts(const OpenFileNameRecord& record)
      : filter(win::ToWideList(record.filter)),
        initialDir(win::ToWideText(record.initialDir ? record.initialDir : "")),
        title(win::ToWideText(record.title ? record.title : "")),
        defaultExtension(win::ToWideText(record.defaultExtension ? record.defaultExtension : "")),
        file(record.maxFile, L'\0') {
    std::wstring name = win::ToWideText(record.file ? record.file : "");
    if (!file.empty()) name.copy(file.data(), std::min(name.size(), file.size() - 1));
  }

  std::wstring filter;
  std::wstring initialDir;
  std::wstring title;
  std::wstring defaultExtension;
  std::vector<wchar_t> file;
};

// The wide dialog for a record of CP932 texts, on every code page: the
// ANSI dialog would give back a chosen name without a CP932 form as a
// look-alike (e.bin for é.bin), naming another file. The chosen name is
// given back only when it has an exact CP932 form that fits the record's
// buffer; the record's offsets into it are not filled in.
int ShowWide(OpenFileNameRecord& record, WideDialog show) {
  refusedName = 0;
  WideTexts texts(record);
  OPENFILENAMEW wide{};
  wide.lStructSize = kWideSize400;
  wide.hwndOwner = static_cast<HWND>(record.owner);
  wide.hInstance = static_cast<HINSTANCE>(record.instance);
  wide.lpstrFilter = record.filter ? texts.filter.c_str() : nullptr;
  wide.nFilterIndex = record.filterIndex;
  wide.lpstrFile = texts.file.data();
  wide.nMaxFile = static_cast<DWORD>(texts.file.size());
  wide.lpstrInitialDir = record.initialDir ? texts.initialDir.c_str() : nullptr;
  wide.lpstrTitle = record.title ? texts.title.c_str() : nullptr;
  wide.Flags = record.flags;
  wide.lpstrDefExt = record.defaultExtension ? texts.defaultExtension.c_str() : nullptr;
  if (!show(&wide)) return 0;
  std::string chosen;
  if (!win::ToCp932Name(texts.file.data(), chosen) || chosen.size() + 1 > record.maxFile) {
    refusedName = kFnErrInvalidFileName;
    return 0;
  }
  std::memcpy(record.file, chosen.c_str(), chosen.size() + 1);
  record.filterIndex = wide.nFilterIndex;
  return 1;
}

// The system's dialog makes the folder of the chosen file the process's
// current folder; a script's later targets named from the current folder
// would then be looked for where the user browsed. The current folder is
// put back as it was.
class CCurrentFolderKept {
 public:
  CCurrentFolderKept() {
    DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
    folder_.assign(needed, L'\0');
    DWORD length = ::GetCurrentDirectoryW(needed, folder_.data());
    folder_.resize(length < needed ? length : 0);
  }
  ~CCurrentFolderKept() {
    if (!folder_.empty()) ::SetCurrentDirectoryW(folder_.c_str());
  }
  CCurrentFolderKept(const CCurrentFolderKept&) = delete;
  CCurrentFolderKept& operator=(const CCurrentFolderKept&) = delete;

 private:
  std::wstring folder_;
};

}  // namespace

int ShowOpenFileDialog(OpenFileNameRecord& record) {
  CCurrentFolderKept kept;
  return ShowWide(record, ::GetOpenFileNameW);
}

int ShowSaveFileDialog(OpenFileNameRecord& record) {
  CCurrentFolderKept kept;
  return ShowWide(record, ::GetSaveFileNameW);
}

uint32_t CommDlgExtendedError() {
  return refusedName != 0 ? refusedName : ::CommDlgExtendedError();
}

}  // namespace platform
