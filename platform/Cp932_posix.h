// Conversions between CP932 and the encodings of a Linux system, made by
// glibc's iconv. The system's encoding is that of the locale's character
// set; a C or POSIX locale counts as UTF-8, as it does for modern tools.
#pragma once

#include <string>
#include <string_view>

namespace platform::posix {

// The iconv name of the system's encoding.
std::string SystemCharset();

// A CP932 name in the system's encoding; false when the name is no valid
// CP932 or holds a character the system's encoding lacks.
bool ToSystemName(std::string_view cp932, std::string& name);
// A name in the system's encoding in CP932; false when it is not valid in
// the system's encoding or holds a character that has no CP932 form.
bool ToCp932Name(std::string_view name, std::string& cp932);
// The same for a message: each character without a CP932 form, and each
// byte that is no character, becomes "?".
std::string ToCp932Shown(std::string_view name);
// CP932 text for a person in the system's encoding: each byte that is no
// CP932 character, and each character the encoding lacks, becomes "?".
std::string ToSystemShown(std::string_view cp932);

// The length of the character that starts the CP932 text: two bytes for a
// lead byte and its trail, else one.
size_t Cp932CharLength(std::string_view rest);

}  // namespace platform::posix
