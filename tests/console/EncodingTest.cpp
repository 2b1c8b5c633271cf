#include <gtest/gtest.h>

#include <string>

#include "console/Encoding.h"

namespace {

struct EncodingCase {
  const char* name;
  std::string cp932;
  std::u8string shown;
};

class TerminalText : public testing::TestWithParam<EncodingCase> {};

TEST_P(TerminalText, IsUtf8WithLineFeeds) {
  std::string expected(GetParam().shown.begin(), GetParam().shown.end());
  EXPECT_EQ(ToTerminalText(GetParam().cp932), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TerminalText,
    testing::Values(EncodingCase{"Ascii", "Address = a : b", u8"Address = a : b"},
                    EncodingCase{"CrLfAndLoneCr", "a\r\nb\rc\n\r\n", u8"a\nb\nc\n\n"},
                    EncodingCase{"Kanji", "差異はありません。\r\n", u8"差異はありません。\n"},
                    // ソ and 表 end in the bytes 0x5C and 0x5C: no backslash is seen.
                    EncodingCase{"TrailByteThatLooksLikeABackslash", "\x83\x5C\x95\x5C\\",
                                 u8"ソ表\\"},
                    EncodingCase{"TrailByteThatLooksLikeALetter",
                                 "\x83\x41"
                                 "x",
                                 u8"アx"},
                    EncodingCase{"HalfWidthKatakana",
                                 "\xB1\xB2"
                                 "a",
                                 u8"ｱｲa"},
                    EncodingCase{"IdeographicSpaceThenCrLf", "\x81\x40\x31\r\n", u8"\u30001\n"},
                    EncodingCase{"LeadByteAtTheEnd", "a\x83", u8"a?"},
                    // Long ASCII runs are scanned a word at a time: line ends and
                    // the first byte of a character fall anywhere in a word.
                    EncodingCase{"LinesAcrossWords",
                                 "06400000 = 79 : 23\r\n06400001 = 87 : DD\r\n",
                                 u8"06400000 = 79 : 23\n06400001 = 87 : DD\n"},
                    EncodingCase{"KanjiAfterLongAscii", "Address = C:\\long name\\表.bin\r\n",
                                 u8"Address = C:\\long name\\表.bin\n"},
                    EncodingCase{"CrAtTheEndOfAWord", "abcdefg\rhijklmno\r", u8"abcdefg\nhijklmno\n"},
                    EncodingCase{"UndefinedByte",
                                 "\xA0"
                                 "z",
                                 u8"?z"}),
    [](const testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

}  // namespace
