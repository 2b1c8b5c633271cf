#include "text/HexString.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct ByteCase {
  std::string text;
  std::optional<unsigned> expected;  // nothing: the conversion throws
};

class ByteConversion : public testing::TestWithParam<ByteCase> {};

TEST_P(ByteConversion, ReadsOneByteOrThrows) {
  const ByteCase& c = GetParam();
  if (c.expected) {
    EXPECT_EQ(HexString::ToValue<unsigned char>(c.text), *c.expected) << c.text;
  } else {
    EXPECT_THROW(HexString::ToValue<unsigned char>(c.text), HexString::CHexStringException) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ByteConversion,
                         testing::Values(ByteCase{"FF", 255}, ByteCase{"ff", 255}, ByteCase{"00", 0},
                                         ByteCase{"0A", 10}, ByteCase{"5x", 5},
                                         ByteCase{"00000000FF", 255}, ByteCase{"100", std::nullopt},
                                         ByteCase{"0x", std::nullopt}, ByteCase{"x5", std::nullopt},
                                         ByteCase{"xx", std::nullopt}, ByteCase{"", std::nullopt},
                                         ByteCase{std::string("\0" "1", 2), std::nullopt}));

struct WordCase {
  std::string text;
  std::optional<uint32_t> expected;
};

class WordConversion : public testing::TestWithParam<WordCase> {};

TEST_P(WordConversion, BothInstantiationsAgreeOnEveryPlatform) {
  const WordCase& c = GetParam();
  if (c.expected) {
    EXPECT_EQ(HexString::ToValue<unsigned int>(c.text), *c.expected) << c.text;
    EXPECT_EQ(HexString::ToValue<unsigned long>(c.text), *c.expected) << c.text;
  } else {
    EXPECT_THROW(HexString::ToValue<unsigned int>(c.text), HexString::CHexStringException);
    EXPECT_THROW(HexString::ToValue<unsigned long>(c.text), HexString::CHexStringException);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WordConversion,
    testing::Values(WordCase{"00001000", 4096}, WordCase{"FFFFFFFF", 4294967295u},
                    WordCase{"ffffffff", 4294967295u}, WordCase{"0000000012345678", 0x12345678},
                    WordCase{"0x10", 16}, WordCase{"100000000", std::nullopt},
                    WordCase{"FFFFFFFFFF", std::nullopt}, WordCase{"zz", std::nullopt}));

struct PredicateCase {
  std::string unit;
  bool hexString;
  bool hexPattern;
  bool bitPattern;
  bool decimal;
};

class Predicates : public testing::TestWithParam<PredicateCase> {};

TEST_P(Predicates, ClassifyUnitText) {
  const PredicateCase& c = GetParam();
  EXPECT_EQ(HexString::IsHexString(c.unit), c.hexString) << c.unit;
  EXPECT_EQ(IsHexPattern(c.unit), c.hexPattern) << c.unit;
  EXPECT_EQ(IsBitPattern(c.unit), c.bitPattern) << c.unit;
  EXPECT_EQ(IsDecimalString(c.unit), c.decimal) << c.unit;
}

INSTANTIATE_TEST_SUITE_P(
    Units, Predicates,
    testing::Values(PredicateCase{"0aF9", true, true, false, false},
                    PredicateCase{"0X10", false, true, false, false},
                    PredicateCase{"", true, true, true, true},
                    PredicateCase{"0aXX", false, true, false, false},
                    PredicateCase{"xX0f", false, true, false, false},
                    PredicateCase{"0G", false, false, false, false},
                    PredicateCase{"0101X101", false, true, true, false},
                    PredicateCase{"0101x101", false, true, false, false},
                    PredicateCase{"0101", true, true, false, true},
                    PredicateCase{"0101X1012", false, true, false, false},
                    PredicateCase{"0000000011111111", true, true, true, true},
                    PredicateCase{"4294967295", true, true, false, true},
                    PredicateCase{"12a", true, true, false, false},
                    PredicateCase{"\x82\x60", false, false, false, false}));

}  // namespace
