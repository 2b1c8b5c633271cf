// Hex of code page 932 byte strings, as the driver prints them and the
// tests read them: upper-case pairs, "-" for the empty string. Shared by
// the Win32 driver and the native test support.
#pragma once

#include <string>

namespace hex {

inline std::string Encode(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  if (bytes.empty()) return "-";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    text += kDigits[c >> 4];
    text += kDigits[c & 15];
  }
  return text;
}

inline int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// False when the text is neither "-" nor pairs of hex digits.
inline bool Decode(const std::string& text, std::string& bytes) {
  bytes.clear();
  if (text == "-") return true;
  if (text.size() % 2 != 0) return false;
  for (size_t at = 0; at < text.size(); at += 2) {
    int high = Digit(text[at]);
    int low = Digit(text[at + 1]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
  }
  return true;
}

}  // namespace hex
