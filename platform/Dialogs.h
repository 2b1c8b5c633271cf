// The system's common Open and Save dialogs (comdlg32).
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace platform {

// The open-file-name record in the layout the system documents for its
// original size (OPENFILENAME_SIZE_VERSION_400A): 76 bytes in a 32-bit
// program, the same fields with 64-bit pointers in a 64-bit one. The
// Windows side checks every offset against the system's own structure.
struct OpenFileNameRecord {
  uint32_t structSize;
  WindowHandle owner;
  void* instance;
  const char* filter;
  char* customFilter;
  uint32_t maxCustomFilter;
  uint32_t filterIndex;
  char* file;
  uint32_t maxFile;
  char* fileTitle;
  uint32_t maxFileTitle;
  const char* initialDir;
  const char* title;
  uint32_t flags;
  uint16_t fileOffset;
  uint16_t fileExtension;
  const char* defaultExtension;
  intptr_t customData;
  void* hook;
  const char* templateName;
};

constexpr uint32_t kOpenFileNameSize = sizeof(OpenFileNameRecord);
static_assert(sizeof(void*) != 4 || kOpenFileNameSize == 76,
              "a 32-bit open-file-name record has the documented size 76");

constexpr uint32_t kOfnOverwritePrompt = 0x00000002;
constexpr uint32_t kOfnHideReadOnly = 0x00000004;
constexpr uint32_t kOfnFileMustExist = 0x00001000;
constexpr uint32_t kOfnLongNames = 0x00200000;

// FNERR_INVALIDFILENAME: the chosen file's name cannot be given back.
constexpr uint32_t kFnErrInvalidFileName = 0x3002;

// Nonzero when the user chose a file; 0 when the user cancelled, the
// dialog could not be shown, or the chosen name has no CP932 form: the
// record's file buffer then keeps what it held.
int ShowOpenFileDialog(OpenFileNameRecord& record);
int ShowSaveFileDialog(OpenFileNameRecord& record);
// After a dialog that answered 0: 0 when the user cancelled it,
// kFnErrInvalidFileName when the chosen name had no CP932 form, another
// FNERR_ or CDERR_ code when the dialog failed.
uint32_t CommDlgExtendedError();

}  // namespace platform
