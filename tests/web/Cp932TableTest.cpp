// The page's CP932 conversions (platform/Cp932_web.cpp, its tables made at
// build time) against glibc's iconv itself, code by code: every byte and
// byte pair one way, every code point of the Basic Multilingual Plane the
// other, so the page names and refuses exactly what qpx on Linux does.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Cp932_posix.h"

namespace {

// The whole text converted by iconv, or nothing where iconv refuses it.
std::optional<std::string> Iconv(const char* to, const char* from, const std::string& text) {
  iconv_t handle = iconv_open(to, from);
  EXPECT_NE(handle, reinterpret_cast<iconv_t>(-1));
  std::string in = text;
  std::string out(16, '\0');
  char* inPointer = in.data();
  char* outPointer = out.data();
  size_t inLeft = in.size();
  size_t outLeft = out.size();
  size_t result = iconv(handle, &inPointer, &inLeft, &outPointer, &outLeft);
  iconv_close(handle);
  if (result == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

std::string Utf8(uint32_t point) {
  std::string text;
  if (point < 0x800) {
    text += static_cast<char>(0xC0 | (point >> 6));
  } else {
    text += static_cast<char>(0xE0 | (point >> 12));
    text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
  }
  text += static_cast<char>(0x80 | (point & 0x3F));
  return text;
}

void ExpectToSystemLikeIconv(const std::string& cp932) {
  std::optional<std::string> expected = Iconv("UTF-8", "CP932", cp932);
  std::string got;
  bool converted = platform::posix::ToSystemName(cp932, got);
  ASSERT_EQ(converted, expected.has_value()) << std::hex << int(uint8_t(cp932[0]));
  if (converted) {
    EXPECT_EQ(got, *expected);
  }
}

TEST(PageCp932, EveryByteAndPairReadsAsIconvReadsIt) {
  for (int lead = 1; lead < 0x100; ++lead) {
    ExpectToSystemLikeIconv(std::string(1, static_cast<char>(lead)));
    for (int trail = 0x40; trail < 0x100; ++trail) {
      ExpectToSystemLikeIconv(std::string{static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
}

TEST(PageCp932, EveryCodePointIsWrittenAsIconvWritesItOrRefused) {
  for (uint32_t point = 0x80; point < 0x10000; ++point) {
    if (point >= 0xD800 && point <= 0xDFFF) continue;
    std::string utf8 = Utf8(point);
    std::optional<std::string> expected = Iconv("CP932", "UTF-8", utf8);
    std::string got;
    bool converted = platform::posix::ToCp932Name(utf8, got);
    ASSERT_EQ(converted, expected.has_value()) << std::hex << point;
    if (converted) {
      EXPECT_EQ(got, *expected) << std::hex << point;
    }
  }
}

struct ShownCase {
  const char* name;
  std::string from;
  std::string shown;
  bool toCp932;  // from UTF-8 to CP932, else the other way
};

class PageShownText : public testing::TestWithParam<ShownCase> {};

TEST_P(PageShownText, MarksWhatHasNoFormWithAQuestionMark) {
  const ShownCase& shownCase = GetParam();
  EXPECT_EQ(shownCase.toCp932 ? platform::posix::ToCp932Shown(shownCase.from)
                              : platform::posix::ToSystemShown(shownCase.from),
            shownCase.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PageShownText,
    testing::Values(ShownCase{"AccentOutsideCp932", "jos\xC3\xA9.bin", "jos?.bin", true},
                    ShownCase{"EmojiOutsideTheTables", "a\xF0\x9F\x98\x80z", "a?z", true},
                    ShownCase{"CutUtf8Sequence", "a\xE3\x81", "a?", true},
                    ShownCase{"KanjiWithTrail5C", "\xE8\xA1\xA8", "\x95\x5C", true},
                    ShownCase{"LoneLeadByte", "a\x81", "a?", false},
                    ShownCase{"PairToUtf8", "\x95\x5C.bin", "\xE8\xA1\xA8.bin", false}),
    [](const testing::TestParamInfo<ShownCase>& info) { return info.param.name; });

}  // namespace
