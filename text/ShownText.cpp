#include "text/ShownText.h"

std::string ShownText(std::string_view cp932) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(cp932.size());
  for (char c : cp932) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      shown += c;
      continue;
    }
    shown += "\\x";
    shown += kDigits[byte >> 4];
    shown += kDigits[byte & 0xF];
  }
  return shown;
}
