#include "patch/HexString.h"

namespace HexString {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool TryParse(const std::string& text, uint32_t maxValue, uint32_t& value) {
  size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    at += 2;
  }
  uint64_t result = 0;
  size_t digits = 0;
  for (; at < text.size(); ++at, ++digits) {
    int digit = DigitValue(text[at]);
    if (digit < 0) break;
    result = result * 16 + static_cast<uint64_t>(digit);
    if (result > maxValue) return false;
  }
  if (digits == 0) return false;
  value = static_cast<uint32_t>(result);
  return true;
}

template <typename T>
T ToValue(std::string text) {
  constexpr uint32_t kMax = sizeof(T) == 1 ? 0xFFu : 0xFFFFFFFFu;
  uint32_t value = 0;
  if (!TryParse(text, kMax, value)) throw CHexStringException();
  return static_cast<T>(value);
}

template unsigned char ToValue<unsigned char>(std::string);
template unsigned int ToValue<unsigned int>(std::string);
template unsigned long ToValue<unsigned long>(std::string);

bool IsHexString(std::string text) {
  for (char c : text) {
    if (DigitValue(c) < 0) return false;
  }
  return true;
}

}  // namespace HexString

bool IsHexPattern(const std::string& unit) {
  for (char c : unit) {
    if (c != 'X' && c != 'x' && HexString::DigitValue(c) < 0) return false;
  }
  return true;
}

bool IsBitPattern(const std::string& unit) {
  if (unit.size() % 8 != 0) return false;
  for (char c : unit) {
    if (c != '0' && c != '1' && c != 'X') return false;
  }
  return true;
}

bool IsDecimalString(const std::string& unit) {
  for (char c : unit) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}
