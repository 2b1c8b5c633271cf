#include <gtest/gtest.h>

#include <string>

#include "console/ScriptLines.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"

namespace {

struct LineCase {
  const char* name;
  std::string text;
  size_t unit;
  size_t line;  // 0: no such unit
};

class LineOfUnitTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineOfUnitTest, CountsEveryKindOfLineEnd) {
  EXPECT_EQ(LineOfUnit(GetParam().text, GetParam().unit), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineOfUnitTest,
    testing::Values(LineCase{"FirstUnit", "#path", 0, 1},
                    LineCase{"LeadingBlankLines", "\r\n\n\r#path", 0, 4},
                    LineCase{"CrLfIsOneLineEnd", "a\r\nb\r\nc", 2, 3},
                    LineCase{"LoneLf", "a\nb\nc", 2, 3}, LineCase{"LoneCr", "a\rb\rc", 2, 3},
                    LineCase{"LfCrIsTwoLineEnds", "a\n\rb", 1, 3},
                    LineCase{"TabsAndSpacesSeparateOnOneLine", "a \tb\t c\nd", 2, 1},
                    LineCase{"UnitsRunOverNothingButSeparators", "ab;cd =\n;", 2, 2},
                    LineCase{"PastTheLastUnit", "a b\n", 2, 0},
                    LineCase{"ZeroByteEndsTheText", std::string("a\nb\0\nc", 6), 2, 0},
                    LineCase{"DoubleByteTextStaysOneUnit", "\"\x83\x5C\x83\x74\" x\ny", 2, 2}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

// The line count cuts units exactly as the interpreter does: the unit
// found on each line is the unit the interpreter numbers so.
TEST(LineOfUnit, AgreesWithTheInterpretersUnits) {
  const std::string text = "free text\r\n#path \"a.bin\"\n  0000 = FF ;\r0001\t=\t01 ;\n\n#end";
  CScriptFile script(QuopraStatements());
  ASSERT_TRUE(script.Load("-", text));
  const size_t expectedLines[] = {1, 1, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 6};
  ASSERT_EQ(script.units.size(), std::size(expectedLines));
  for (size_t unit = 0; unit < script.units.size(); ++unit) {
    EXPECT_EQ(LineOfUnit(text, unit), expectedLines[unit]) << script.units[unit];
  }
}

}  // namespace
