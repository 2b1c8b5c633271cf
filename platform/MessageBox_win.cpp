#include <windows.h>

#include "platform/Cp932_win.h"
#include "platform/MessageBox.h"

namespace platform {

static_assert(kMbYesNo == MB_YESNO && kMbIconError == MB_ICONERROR &&
              kMbIconQuestion == MB_ICONQUESTION && kMbIconExclamation == MB_ICONEXCLAMATION &&
              kMbIconInformation == MB_ICONINFORMATION);
static_assert(kIdOk == IDOK && kIdYes == IDYES && kIdNo == IDNO);
static_assert(kMbDefButton2 == MB_DEFBUTTON2);

int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                unsigned flags) {
  if (win::SystemIsCp932()) {
    return ::MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), flags);
  }
  return ::MessageBoxW(static_cast<HWND>(owner), win::ToWideText(text).c_str(),
                       win::ToWideText(caption).c_str(), flags);
}

}  // namespace platform
