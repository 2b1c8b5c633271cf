#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/UnitList.h"

namespace {

// The units as the language defines them: maximal runs of bytes other than
// space, tab, CR, LF and NUL.
std::vector<std::string> ReferenceUnits(const std::string& text) {
  std::vector<std::string> units;
  std::string pending;
  for (char c : text) {
    if (std::strchr(" \t\r\n", c) != nullptr || c == '\0') {
      if (!pending.empty()) units.push_back(pending);
      pending.clear();
    } else {
      pending += c;
    }
  }
  if (!pending.empty()) units.push_back(pending);
  return units;
}

std::vector<std::string> Walked(const CUnitList& units) {
  return std::vector<std::string>(units.begin(), units.end());
}

platform::CAutoFreeBlock Copy(const std::string& text) {
  platform::CAutoFreeBlock block(text.size());
  std::memcpy(block.Get(), text.data(), text.size());
  return block;
}

TEST(UnitList, CutsEveryTextLikeTheLanguageSays) {
  const std::string alphabet = std::string("a; =\"\t\r\n", 8) + '\0';
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    CUnitList units;
    units.Cut(Copy(text), text.size());
    std::vector<std::string> expected = ReferenceUnits(text);
    ASSERT_EQ(Walked(units), expected) << testing::PrintToString(text);
    ASSERT_EQ(units.size(), expected.size());
    ASSERT_EQ(units.empty(), expected.empty());
    for (size_t index = 0; index < expected.size(); ++index) {
      ASSERT_EQ(units[index], expected[index]);
    }
  }
}

TEST(UnitList, ACutReplacesTheUnitsAndTheirCount) {
  CUnitList units;
  units.Cut(Copy("a b c"), 5);
  ASSERT_EQ(units.size(), 3u);
  units.Cut(Copy("  d  "), 5);
  EXPECT_EQ(Walked(units), (std::vector<std::string>{"d"}));
  EXPECT_EQ(units.size(), 1u);
  units.Cut(platform::CAutoFreeBlock(), 0);
  EXPECT_TRUE(units.empty());
  EXPECT_EQ(units.size(), 0u);
}

struct LineCase {
  const char* name;
  std::string text;
  size_t unit;
  size_t line;
};

class UnitLine : public testing::TestWithParam<LineCase> {};

TEST_P(UnitLine, CountsEveryKindOfLineEnd) {
  CUnitList units;
  units.Cut(Copy(GetParam().text), GetParam().text.size());
  CUnitList::CIterator unit = units.begin();
  std::advance(unit, GetParam().unit);
  EXPECT_EQ(unit.Line(), GetParam().line) << *unit;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnitLine,
    testing::Values(LineCase{"FirstUnit", "#path", 0, 1},
                    LineCase{"LeadingBlankLines", "\r\n\n\r#path", 0, 4},
                    LineCase{"CrLfIsOneLineEnd", "a\r\nb\r\nc", 2, 3},
                    LineCase{"LoneLf", "a\nb\nc", 2, 3}, LineCase{"LoneCr", "a\rb\rc", 2, 3},
                    LineCase{"LfCrIsTwoLineEnds", "a\n\rb", 1, 3},
                    LineCase{"CrAtTheEndOfTheText", "a\r", 0, 1},
                    LineCase{"TabsAndSpacesSeparateOnOneLine", "a \tb\t c\nd", 2, 1},
                    LineCase{"UnitsRunOverNothingButSeparators", "ab;cd =\n;", 2, 2},
                    LineCase{"DoubleByteTextStaysOneUnit", "\"\x83\x5C\x83\x74\" x\ny", 2, 2},
                    LineCase{"Mixed", "free text\r\n#path \"a.bin\"\n  0000 = FF ;\r0001\t=\t01 ;\n\n#end",
                             12, 6}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(UnitList, SplitKeepsItsOwnCopyOfTheText) {
  CScriptFile script(QuopraStatements());
  {
    std::string text = "#path \"t.bin\" 00 = 01 ;";
    ASSERT_TRUE(script.Load("-", text));
    text.assign(text.size(), 'x');  // the caller's text changes and goes
  }
  EXPECT_EQ(Walked(script.units),
            (std::vector<std::string>{"#path", "\"t.bin\"", "00", "=", "01", ";"}));
}

}  // namespace
