// 32-bit numbers as four bytes, the least significant first: the order of
// a REG_DWORD value.
#pragma once

#include <array>
#include <cstdint>

inline std::array<unsigned char, 4> ToLittleEndian(uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

inline uint32_t FromLittleEndian(const std::array<unsigned char, 4>& bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}
