#include "Text.h"

#include <windows.h>

namespace drive {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = static_cast<int>(text.size());
  int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int length = static_cast<int>(wide.size());
  // No look-alike for a missing character: it is reported as "?".
  DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int size =
      WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(), size, nullptr, nullptr);
  }
  return text;
}

}  // namespace

std::wstring Wide(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }

std::string Utf8(const std::wstring& wide) { return FromWide(CP_UTF8, wide); }

std::wstring WideFromCp932(const std::string& cp932) { return ToWide(932, cp932); }

std::string Cp932(const std::wstring& wide) { return FromWide(932, wide); }

}  // namespace drive
