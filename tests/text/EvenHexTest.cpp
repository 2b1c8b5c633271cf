#include <gtest/gtest.h>

#include <string>

#include "text/EvenHex.h"

namespace {

std::string Written(uint32_t value) {
  char digits[EvenHex::kMaxDigits];
  return std::string(digits, EvenHex::Write(value, digits));
}

struct HexCase {
  uint32_t value;
  std::string written;
};

class EvenLengthHex : public testing::TestWithParam<HexCase> {};

TEST_P(EvenLengthHex, PadsOddDigitCountsWithOneZero) {
  EXPECT_EQ(Written(GetParam().value), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EvenLengthHex,
    testing::Values(HexCase{0, "00"}, HexCase{5, "05"}, HexCase{0x0A, "0A"}, HexCase{0xAB, "AB"},
                    HexCase{0x100, "0100"}, HexCase{0x123, "0123"}, HexCase{0xFFF, "0FFF"},
                    HexCase{0x1000, "1000"}, HexCase{0x12345, "012345"}, HexCase{0xFFFFF, "0FFFFF"},
                    HexCase{0x100000, "100000"}, HexCase{0x1000000, "01000000"},
                    HexCase{0xDEADBEEF, "DEADBEEF"}, HexCase{0xFFFFFFFF, "FFFFFFFF"}));

TEST(EvenLengthHexBytes, EveryByteHasTwoUpperCaseDigits) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (unsigned value = 0; value < 256; ++value) {
    char out[2];
    EvenHex::WriteByte(static_cast<unsigned char>(value), out);
    EXPECT_EQ(std::string(out, 2), std::string({kDigits[value >> 4], kDigits[value & 15]}));
    EXPECT_EQ(Written(value), std::string(out, 2));
  }
}

}  // namespace
