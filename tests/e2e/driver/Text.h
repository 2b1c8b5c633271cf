// The driver's texts: words arrive as UTF-16 and are kept as UTF-8, so that
// a name outside code page 932 can be given; the programs' texts are read
// as UTF-16 and reported in code page 932, whatever the ANSI code page.
#pragma once

#include <string>

namespace drive {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
std::wstring WideFromCp932(const std::string& cp932);
// A character that has no code page 932 form becomes "?".
std::string Cp932(const std::wstring& wide);
inline std::string Cp932FromUtf8(const std::string& utf8) { return Cp932(Wide(utf8)); }

}  // namespace drive
