#include "text/EvenHex.h"

namespace EvenHex {

std::string Format(uint32_t value) {
  char digits[kMaxDigits];
  return std::string(digits, Write(value, digits));
}

}  // namespace EvenHex
