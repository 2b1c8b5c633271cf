#include "platform/Cp932_win.h"

#include <windows.h>

#include "platform/OriginMark.h"

namespace platform::win {

namespace {

constexpr UINT kCp932 = 932;

std::wstring Widen(UINT codePage, DWORD flags, std::string_view text, bool& valid) {
  valid = true;
  if (text.empty()) return std::wstring();
  int length = static_cast<int>(text.size());
  int size = ::MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (size <= 0) {
    valid = false;
    return std::wstring();
  }
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), size);
  return wide;
}

// With a default character of its own, to tell a "?" written from one
// that replaced a missing character.
std::string Narrow(std::wstring_view wide, bool& exact) {
  exact = true;
  if (wide.empty()) return std::string();
  int length = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  int size = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                   "?", &usedDefault);
  std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), length, narrow.data(), size,
                          "?", &usedDefault);
  }
  exact = size > 0 && !usedDefault;
  return narrow;
}

}  // namespace

bool SystemIsCp932() { return ::GetACP() == kCp932; }

bool ToWideName(std::string_view cp932, std::wstring& wide) {
  bool valid = false;
  wide = Widen(kCp932, MB_ERR_INVALID_CHARS, cp932, valid);
  return valid;
}

std::wstring ToWideText(std::string_view cp932) {
  bool valid = false;
  return Widen(kCp932, 0, cp932, valid);
}

std::wstring ToWideList(const char* list) {
  std::wstring wide;
  if (list == nullptr) return wide;
  while (*list != '\0') {
    std::string_view entry(list);
    wide += ToWideText(entry);
    wide += L'\0';
    list += entry.size() + 1;
  }
  wide += L'\0';
  return wide;
}

bool ToCp932Name(std::wstring_view wide, std::string& cp932) {
  bool exact = false;
  cp932 = Narrow(wide, exact);
  return exact;
}

std::string ToCp932Shown(std::wstring_view wide) {
  bool exact = false;
  return Narrow(wide, exact);
}

std::string ToUtf8(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  int length = static_cast<int>(wide.size());
  int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
  }
  return utf8;
}

std::wstring FromUtf8(std::string_view utf8) {
  bool valid = false;
  return Widen(CP_UTF8, 0, utf8, valid);
}

}  // namespace platform::win

namespace platform {

bool Cp932OfCharacter(char32_t character, std::string& cp932) {
  std::wstring wide;
  if (character > 0xFFFF) {
    wide += static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
    wide += static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
  } else {
    wide += static_cast<wchar_t>(character);
  }
  bool exact = false;
  cp932 = win::Narrow(wide, exact);
  return exact;
}

}  // namespace platform
