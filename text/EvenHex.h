// Even-length hexadecimal: upper-case digits without leading zeros, with
// one "0" put in front when the digit count is odd (0 is "00", 0x123 is
// "0123"). Every number the difference-script maker writes has this form:
// one digit pair per significant byte.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace EvenHex {

// The longest text: eight digits.
constexpr size_t kMaxDigits = 8;

namespace detail {

// The two digits of every byte value, "00" to "FF", back to back.
constexpr std::array<char, 512> MakePairs() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<char, 512> pairs{};
  for (int value = 0; value < 256; ++value) {
    pairs[2 * value] = kDigits[value >> 4];
    pairs[2 * value + 1] = kDigits[value & 0xF];
  }
  return pairs;
}

inline constexpr std::array<char, 512> kPairs = MakePairs();

}  // namespace detail

// Writes the two digits of a byte at out and returns the position after them.
inline char* WriteByte(unsigned char value, char* out) {
  out[0] = detail::kPairs[2 * value];
  out[1] = detail::kPairs[2 * value + 1];
  return out + 2;
}

// Writes the digits of value at out, which must have room for kMaxDigits
// bytes, and returns the position after the last one. Inline: the listing
// and the script call it once or twice a line.
inline char* Write(uint32_t value, char* out) {
  int bytes = value == 0 ? 1 : (std::bit_width(value) + 7) / 8;
  for (int index = bytes - 1; index >= 0; --index) {
    WriteByte(static_cast<unsigned char>(value), out + 2 * index);
    value >>= 8;
  }
  return out + 2 * bytes;
}

}  // namespace EvenHex
