#include "text/HexString.h"

#include "text/ByteClasses.h"

namespace HexString {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool TryParse(std::string_view text, uint32_t maxValue, uint32_t& value) {
  size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    at += 2;
  }
  uint64_t result = 0;
  size_t digits = 0;
  for (; at < text.size(); ++at, ++digits) {
    uint8_t digit = HexDigitValue(text[at]);
    if (digit == kNoHexDigit) break;
    result = result * 16 + digit;
    if (result > maxValue) return false;
  }
  if (digits == 0) return false;
  value = static_cast<uint32_t>(result);
  return true;
}

template <typename T>
T ToValue(std::string_view text) {
  constexpr uint32_t kMax = sizeof(T) == 1 ? 0xFFu : 0xFFFFFFFFu;
  uint32_t value = 0;
  if (!TryParse(text, kMax, value)) throw CHexStringException();
  return static_cast<T>(value);
}

template unsigned char ToValue<unsigned char>(std::string_view);
template unsigned int ToValue<unsigned int>(std::string_view);
template unsigned long ToValue<unsigned long>(std::string_view);

bool IsHexString(std::string_view text) {
  for (char c : text) {
    if (HexDigitValue(c) == kNoHexDigit) return false;
  }
  return true;
}

}  // namespace HexString

bool IsHexPattern(std::string_view unit) {
  for (char c : unit) {
    if (c != 'X' && c != 'x' && HexDigitValue(c) == kNoHexDigit) return false;
  }
  return true;
}

bool IsBitPattern(std::string_view unit) {
  if (unit.size() % 8 != 0) return false;
  for (char c : unit) {
    if (c != '0' && c != '1' && c != 'X') return false;
  }
  return true;
}

bool IsDecimalString(std::string_view unit) {
  for (char c : unit) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}
