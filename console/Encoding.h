// The terminal's encoding. qpx handles CP932 bytes throughout; only what
// it prints as text for a person is converted, here, on the way out.
#pragma once

#include <string>
#include <string_view>

// The text in the terminal's encoding: on Linux UTF-8 with LF line ends
// (a byte that is no CP932 character becomes "?"); on Windows the bytes
// unchanged, as the console's code page is the system's.
std::string ToTerminalText(std::string_view cp932);
