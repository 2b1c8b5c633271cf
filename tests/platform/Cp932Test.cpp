#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Console.h"
#include "platform/Cp932_posix.h"

namespace {

std::string Bytes(const std::u8string& utf8) { return std::string(utf8.begin(), utf8.end()); }

// A name from a script on its way to the file system (UTF-8 here, where the
// tests run in the C locale); nothing when it names no file.
struct ToSystemCase {
  const char* name;
  std::string cp932;
  std::optional<std::u8string> system;
};

class ScriptName : public testing::TestWithParam<ToSystemCase> {};

TEST_P(ScriptName, IsConvertedToTheSystemsEncodingOrRefused) {
  std::string name;
  bool converted = platform::posix::ToSystemName(GetParam().cp932, name);
  ASSERT_EQ(converted, GetParam().system.has_value());
  if (converted) {
    EXPECT_EQ(name, Bytes(*GetParam().system));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ScriptName,
    testing::Values(ToSystemCase{"Ascii", "C:\\dir/save.dat", u8"C:\\dir/save.dat"},
                    ToSystemCase{"Kana", "\x82\xA0\x83\x41.bin", u8"あア.bin"},
                    ToSystemCase{"HalfWidthKatakana", "\xB1\xB2", u8"ｱｲ"},
                    // 表 and ソ end in 0x5C: no backslash comes out.
                    ToSystemCase{"TrailByte5C", "\x95\x5C\x83\x5C\\", u8"表ソ\\"},
                    ToSystemCase{"NecSpecial", "\x87\x40\x87\x8A", u8"①㈱"},
                    ToSystemCase{"NecRow13Duplicate", "\x87\x90", u8"≒"},
                    ToSystemCase{"IbmExtension", "\xFA\x5C", u8"纊"},
                    ToSystemCase{"NecSelectedIbmExtension", "\xED\x40", u8"纊"},
                    ToSystemCase{"UserDefinedArea", "\xF0\x40", u8"\uE000"},
                    ToSystemCase{"LoneLeadByteAtTheEnd", "a\x83", std::nullopt},
                    ToSystemCase{"LeadByteBeforeASlash", "\x83/b", std::nullopt},
                    ToSystemCase{"UndefinedSingleByte", "\xA0", std::nullopt},
                    // Windows maps 0x80 to U+0080; glibc knows no character there.
                    ToSystemCase{"ByteEighty", "\x80", std::nullopt}),
    [](const testing::TestParamInfo<ToSystemCase>& info) { return std::string(info.param.name); });

// A name from the command line on its way into a script, a listing or a
// message; nothing when it has no CP932 form.
struct ToCp932Case {
  const char* name;
  std::u8string system;
  std::optional<std::string> cp932;
  std::string shown;  // in a message
};

class CommandLineName : public testing::TestWithParam<ToCp932Case> {};

TEST_P(CommandLineName, IsConvertedToCp932OrRefused) {
  std::string cp932;
  bool converted = platform::posix::ToCp932Name(Bytes(GetParam().system), cp932);
  ASSERT_EQ(converted, GetParam().cp932.has_value());
  if (converted) {
    EXPECT_EQ(cp932, *GetParam().cp932);
  }
  EXPECT_EQ(platform::posix::ToCp932Shown(Bytes(GetParam().system)), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CommandLineName,
    testing::Values(ToCp932Case{"Ascii", u8"a b.bin", "a b.bin", "a b.bin"},
                    ToCp932Case{"Kanji", u8"表.bin", "\x95\x5C.bin", "\x95\x5C.bin"},
                    ToCp932Case{"HalfWidthKatakana", u8"ｶﾅ", "\xB6\xC5", "\xB6\xC5"},
                    // Of two codes for one character, the one Windows writes too.
                    ToCp932Case{"NecRow13Duplicate", u8"≒", "\x81\xE0", "\x81\xE0"},
                    ToCp932Case{"IbmExtension", u8"纊", "\xFA\x5C", "\xFA\x5C"},
                    ToCp932Case{"NotSign", u8"￢", "\x81\xCA", "\x81\xCA"},
                    ToCp932Case{"AccentedLetter", u8"josé/a.bin", std::nullopt, "jos?/a.bin"},
                    ToCp932Case{"Hangul", u8"한.qpx", std::nullopt, "?.qpx"},
                    ToCp932Case{"Emoji", u8"a😀b", std::nullopt, "a?b"},
                    ToCp932Case{"InvalidUtf8", u8"a\xFF", std::nullopt, "a?"}),
    [](const testing::TestParamInfo<ToCp932Case>& info) { return std::string(info.param.name); });

struct EncodingCase {
  const char* name;
  std::string cp932;
  std::u8string shown;
};

class TerminalText : public testing::TestWithParam<EncodingCase> {};

TEST_P(TerminalText, IsUtf8WithLineFeeds) {
  std::string expected(GetParam().shown.begin(), GetParam().shown.end());
  EXPECT_EQ(platform::ToTerminalText(GetParam().cp932), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TerminalText,
    testing::Values(
        EncodingCase{"Ascii", "Address = a : b", u8"Address = a : b"},
        EncodingCase{"CrLfAndLoneCr", "a\r\nb\rc\n\r\n", u8"a\nb\nc\n\n"},
        EncodingCase{"Kanji", "差異はありません。\r\n", u8"差異はありません。\n"},
        // ソ and 表 end in the bytes 0x5C and 0x5C: no backslash is seen.
        EncodingCase{"TrailByteThatLooksLikeABackslash", "\x83\x5C\x95\x5C\\", u8"ソ表\\"},
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
        EncodingCase{"LinesAcrossWords", "06400000 = 79 : 23\r\n06400001 = 87 : DD\r\n",
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
