#include <windows.h>
#include <commdlg.h>

#include <cstddef>

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

int GetOpenFileNameA(OpenFileNameRecord& record) {
  return ::GetOpenFileNameA(reinterpret_cast<OPENFILENAMEA*>(&record));
}

int GetSaveFileNameA(OpenFileNameRecord& record) {
  return ::GetSaveFileNameA(reinterpret_cast<OPENFILENAMEA*>(&record));
}

}  // namespace platform
