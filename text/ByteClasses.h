// The classes of single bytes that script text is read by, looked up in
// tables: nearly every byte of a script passes here, often several times.
#pragma once

#include <array>
#include <cstdint>

// Bytes that end a unit: space, tab, CR, LF, and the zero byte, which only
// occurs where text past a NUL is read.
inline constexpr std::array<bool, 256> kSeparatorBytes = [] {
  std::array<bool, 256> table{};
  for (unsigned char separator : {' ', '\t', '\r', '\n', '\0'}) table[separator] = true;
  return table;
}();

inline bool IsSeparator(char c) { return kSeparatorBytes[static_cast<unsigned char>(c)]; }

// What HexDigitValue gives a byte that is no hexadecimal digit.
inline constexpr uint8_t kNoHexDigit = 16;

inline constexpr std::array<uint8_t, 256> kHexDigitValues = [] {
  std::array<uint8_t, 256> digits{};
  for (int c = 0; c < 256; ++c) {
    digits[c] = c >= '0' && c <= '9'   ? static_cast<uint8_t>(c - '0')
                : c >= 'a' && c <= 'f' ? static_cast<uint8_t>(c - 'a' + 10)
                : c >= 'A' && c <= 'F' ? static_cast<uint8_t>(c - 'A' + 10)
                                       : kNoHexDigit;
  }
  return digits;
}();

// The value of a hexadecimal digit of either case, or kNoHexDigit.
inline uint8_t HexDigitValue(char c) { return kHexDigitValues[static_cast<unsigned char>(c)]; }
