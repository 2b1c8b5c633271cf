#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "language/Vocabulary.h"

namespace {

struct UnquoteCase {
  std::string written;
  std::optional<std::string> decoded;  // nothing: not a quoted unit
};

class UnquoteTest : public testing::TestWithParam<UnquoteCase> {};

TEST_P(UnquoteTest, DecodesEscapesOrLeavesUnquotedTextAlone) {
  std::string text = GetParam().written;
  bool quoted = Unquote(text);
  ASSERT_EQ(quoted, GetParam().decoded.has_value()) << GetParam().written;
  EXPECT_EQ(text, GetParam().decoded.value_or(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, UnquoteTest,
    testing::Values(UnquoteCase{"\"\"", ""}, UnquoteCase{"\"", std::nullopt},
                    UnquoteCase{"ab", std::nullopt}, UnquoteCase{"\"ab", std::nullopt},
                    UnquoteCase{"ab\"", std::nullopt}, UnquoteCase{"\"a\"b\"", "a\"b"},
                    UnquoteCase{"\"a\\\\b\"", "a\\b"}, UnquoteCase{"\"a\\sb\"", "a b"},
                    UnquoteCase{"\"a\\tb\"", "a\tb"}, UnquoteCase{"\"\\S\\T\"", "\\S\\T"},
                    UnquoteCase{"\"\\x\\\"", "\\x\\"}, UnquoteCase{"\"\\\\s\"", "\\s"},
                    UnquoteCase{"\"\\\\\\s\"", "\\ "}, UnquoteCase{"\"\\\\\\\\\"", "\\\\"},
                    UnquoteCase{"\"\\s\\t\"", " \t"},
                    // The trail byte 0x5C of a double-byte character is a backslash too.
                    UnquoteCase{"\"\x83\x5Cs\x95\x5C\"", "\x83 \x95\\"}));

struct WordCase {
  std::string unit;
  bool directive;
  bool keyword;
};

class WordTables : public testing::TestWithParam<WordCase> {};

TEST_P(WordTables, MatchWholeUnitsCaseSensitively) {
  EXPECT_EQ(!FindDirective(GetParam().unit).empty(), GetParam().directive) << GetParam().unit;
  EXPECT_EQ(IsKeyword(GetParam().unit), GetParam().keyword) << GetParam().unit;
}

INSTANTIATE_TEST_SUITE_P(
    Words, WordTables,
    testing::Values(WordCase{"#path", true, false}, WordCase{"#registry", true, false},
                    WordCase{"#end", true, false}, WordCase{"#PATH", false, false},
                    WordCase{"#end;", false, false}, WordCase{"path", false, false},
                    WordCase{"to", false, true}, WordCase{"=", false, true},
                    WordCase{"binary", false, true}, WordCase{"string", false, true},
                    WordCase{"dword", false, true}, WordCase{"dword_dec", false, true},
                    WordCase{"=bit", false, true}, WordCase{"dialog", false, true},
                    WordCase{"To", false, false}, WordCase{"bit", false, false},
                    WordCase{"dword_DEC", false, false}, WordCase{";", false, false},
                    WordCase{"=;", false, false}));

}  // namespace
