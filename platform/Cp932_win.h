// Conversions between CP932 and UTF-16 with the system's converters, for
// the wide calls made where the system's code page is not 932.
#pragma once

#include <string>
#include <string_view>

namespace platform::win {

// True where the system's ANSI code page is 932: the programs' CP932
// strings are then the system's own and go to the ANSI calls unchanged.
bool SystemIsCp932();

// A CP932 name in UTF-16; false when it is no valid CP932.
bool ToWideName(std::string_view cp932, std::wstring& wide);
// CP932 text in UTF-16 as an ANSI call would see it on code page 932.
std::wstring ToWideText(std::string_view cp932);
// A list of NUL-ended texts, closed by an empty one (a filter).
std::wstring ToWideList(const char* list);

// A UTF-16 name in CP932; false when it holds a character that has no
// CP932 form (none is replaced by a look-alike).
bool ToCp932Name(std::wstring_view wide, std::string& cp932);
// The same for a message: each character without a CP932 form is "?".
std::string ToCp932Shown(std::wstring_view wide);

// UTF-16 to UTF-8 and back, both exact.
std::string ToUtf8(std::wstring_view wide);
std::wstring FromUtf8(std::string_view utf8);

}  // namespace platform::win
