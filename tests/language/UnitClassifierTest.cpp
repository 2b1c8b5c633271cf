#include <gtest/gtest.h>

#include <string>

#include "language/UnitClassifier.h"

namespace {

struct ClassCase {
  std::string unit;
  std::string previous;
  UnitKind kind;
  char letter;          // for values
  std::string operand;  // for values
};

ClassCase Value(std::string unit, std::string previous, char letter, std::string operand) {
  return {std::move(unit), std::move(previous), UnitKind::kValue, letter, std::move(operand)};
}
ClassCase Other(std::string unit, std::string previous, UnitKind kind) {
  return {std::move(unit), std::move(previous), kind, 0, ""};
}

class Classification : public testing::TestWithParam<ClassCase> {};

TEST_P(Classification, FollowsTheClassTableInOrder) {
  const ClassCase& c = GetParam();
  ClassifiedUnit got = ClassifyUnit(c.unit, c.previous);
  ASSERT_EQ(got.kind, c.kind) << c.unit << " after " << c.previous;
  if (c.kind == UnitKind::kValue) {
    EXPECT_EQ(got.letter, c.letter) << c.unit << " after " << c.previous;
    EXPECT_EQ(got.operand, c.operand);
  }
}

constexpr UnitKind kRejected = UnitKind::kRejected;

INSTANTIATE_TEST_SUITE_P(Decimal, Classification,
                         testing::Values(Value("0100", "dword_dec", '9', "0100"),
                                         Value("5", "dword_dec", '9', "5"),
                                         Value("1A", "dword_dec", 'X', "1A"),
                                         Other("12a", "dword_dec", kRejected),
                                         // Only the keyword itself makes digits decimal.
                                         Value("0100", "my_dec", 'X', "0100"),
                                         Value("10", "\"C:\\\\my_dec\\\\a.bin\"", 'X', "10")));

INSTANTIATE_TEST_SUITE_P(String, Classification,
                         testing::Values(Value("\"a\\sb\"", "string", 'S', "\"a\\sb\""),
                                         Value("\"a\"", "string", 'S', "\"a\""),
                                         Other("\"\"", "string", kRejected),
                                         Other("ab", "string", kRejected),
                                         Other("\"ab", "string", kRejected),
                                         Other("=", "string", kRejected)));

INSTANTIATE_TEST_SUITE_P(Bits, Classification,
                         testing::Values(Value("1XXXXXX0", "=bit", 'B', "1XXXXXX0"),
                                         Value("00000000", "=bit", 'B', "00000000"),
                                         Value("0000000011111111", "=bit", 'B', "0000000011111111"),
                                         Other("1xXXXXX0", "=bit", kRejected),
                                         Other("0101", "=bit", kRejected),
                                         Other("01010101X", "=bit", kRejected)));

INSTANTIATE_TEST_SUITE_P(
    Hex, Classification,
    testing::Values(Value("80XX7F", "=", 'X', "80XX7F"), Value("xX0f", "=", 'X', "xX0f"),
                    Value("ff", "", 'X', "ff"), Value("01A3", "to", 'X', "01A3"),
                    Other("80XX7F", "to", kRejected), Other("1A3", "=", kRejected),
                    Other("1A3", "", kRejected), Other("0G", "=", kRejected),
                    Other("0x10", "", kRejected)));

INSTANTIATE_TEST_SUITE_P(
    Words, Classification,
    testing::Values(Value("\"a\\sb\"", "", 'S', "a\\sb"), Value("\"\"", "dialog", 'S', ""),
                    Other("to", "00", UnitKind::kKeyword), Other("=bit", "", UnitKind::kKeyword),
                    Other("dialog", "", UnitKind::kKeyword),
                    Other(";", "FF", UnitKind::kTerminator), Other("#end", ";", UnitKind::kEnd),
                    Other("#path", ";", kRejected), Other("#END", ";", kRejected),
                    Other("TO", "00", kRejected), Other("FF;", "=", kRejected),
                    Other("0000=", "", kRejected), Other("\"", "", kRejected)));

}  // namespace
