#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "tests/support/TestFiles.h"

namespace {

using Units = std::vector<std::string>;

Units Listed(const CUnitList& units) { return Units(units.begin(), units.end()); }

struct LoadCase {
  std::string name;
  std::string contents;
  Units units;  // empty: the script fails to load
};

class ScriptLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(ScriptLoad, CutsTheTextUpToItsFirstZeroByteIntoUnits) {
  TempFolder folder;
  CScriptFile script(QuopraStatements());
  std::string path = folder.Write("s.qpx", GetParam().contents);
  int loaded = script.Load(path);
  EXPECT_EQ(loaded != 0, !GetParam().units.empty());
  if (loaded != 0) {
    EXPECT_EQ(Listed(script.units), GetParam().units);
    EXPECT_EQ(script.scriptPath, path);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScriptLoad,
    testing::Values(LoadCase{"CrLf", "a b\r\nc", {"a", "b", "c"}},
                    LoadCase{"Lf", "a b\nc\n", {"a", "b", "c"}},
                    LoadCase{"Cr", "a b\rc", {"a", "b", "c"}},
                    LoadCase{"TabsAndRuns", "\t a\t\tb \r\n\r\n c ", {"a", "b", "c"}},
                    LoadCase{"ZeroByteEndsText", std::string("a b\0c d", 7), {"a", "b"}},
                    LoadCase{"TrailingZeroByte",
                             std::string("0000 = 01 ;\r\n\0", 14),
                             {"0000", "=", "01", ";"}},
                    LoadCase{"JapaneseStaysWhole", "\"ソ表示|名前|\" x", {"\"ソ表示|名前|\"", "x"}},
                    LoadCase{"PlainSpaceSplitsQuotes", "\"a b\"", {"\"a", "b\""}},
                    LoadCase{"JoinedTerminator", "FF;", {"FF;"}}, LoadCase{"Empty", "", {}},
                    LoadCase{"SeparatorsOnly", " \r\n\t \n", {}},
                    LoadCase{"LeadingZeroByte", std::string("\0#path", 6), {}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST(ScriptLoadFailure, MissingOrReadOnlyFileFailsAndLeavesNoUnits) {
  TempFolder folder;
  std::string readOnly = folder.Write("ro.qpx", "#path \"t\" #end");
  MakeReadOnly(readOnly);
  for (const std::string& path :
       {folder.File("missing.qpx"), readOnly, std::string(), folder.Path()}) {
    CScriptFile script(QuopraStatements());
    EXPECT_EQ(script.Load(path), 0) << path;
    EXPECT_TRUE(script.units.empty()) << path;
  }
}

// A text read from elsewhere ends at its first zero byte, as a file does.
TEST(ScriptText, EmptyTextKeepsThePreviousUnits) {
  CScriptFile script(QuopraStatements());
  ASSERT_TRUE(script.Load("-", "a b"));
  EXPECT_FALSE(script.Load("-", ""));
  EXPECT_FALSE(script.Load("-", std::string("\0a", 2)));
  EXPECT_EQ(Listed(script.units), (Units{"a", "b"}));
  EXPECT_TRUE(script.Load("-", std::string("c\0d", 3)));
  EXPECT_EQ(Listed(script.units), (Units{"c"}));
  EXPECT_FALSE(script.Load("-", std::string(" \0 ", 3)));
  EXPECT_TRUE(script.units.empty());
}

}  // namespace
