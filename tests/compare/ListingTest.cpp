#include "compare/Listing.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace {

std::string Listing(const std::string& first, const std::string& second,
                    const DiffList& differences, ListingLines lines = {}) {
  std::string text;
  EXPECT_TRUE(StreamListing(first, second, differences, [&text](std::string_view piece) {
    text.append(piece);
    return true;
  }, kNoDifferencesLine, lines));
  return text;
}

struct ListingCase {
  const char* name;
  DiffList differences;
  std::string lines;  // what follows the header line
};

void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.name; }

class ListingText : public testing::TestWithParam<ListingCase> {};

TEST_P(ListingText, HeaderThenOneLinePerDifference) {
  const ListingCase& c = GetParam();
  EXPECT_EQ(Listing("C:\\a.bin", "C:\\b.bin", c.differences),
            "Address = C:\\a.bin : C:\\b.bin\r\n" + c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListingText,
    testing::Values(
        ListingCase{"NoDifferences", {}, "差異はありません。\r\n"},
        ListingCase{"LastByteOfTen", {{9, 0x41, 0x42}}, "09 = 41 : 42\r\n"},
        ListingCase{"EveryByte",
                    {{0, 0x00, 0xFF}, {1, 0x0A, 0x05}, {2, 0xFF, 0x00}},
                    "00 = 00 : FF\r\n01 = 0A : 05\r\n02 = FF : 00\r\n"},
        ListingCase{"AddressWidths",
                    {{0, 1, 2}, {0x100, 3, 4}, {0xFFFFF, 5, 6}, {0xFFFFFFFF, 7, 8}},
                    "00 = 01 : 02\r\n0100 = 03 : 04\r\n0FFFFF = 05 : 06\r\nFFFFFFFF = 07 : 08\r\n"},
        ListingCase{"Example", {{0x10, 0x00, 0xFF}, {0x1A3, 0x7F, 0x80}},
                    "10 = 00 : FF\r\n01A3 = 7F : 80\r\n"}),
    [](const testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.name); });

// Lines of the listing, as the page asks for those in view.
struct LinesCase {
  const char* name;
  DiffList differences;
  ListingLines lines;
  std::string text;
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

class ListingLinesText : public testing::TestWithParam<LinesCase> {};

TEST_P(ListingLinesText, OnlyTheLinesAskedFor) {
  const LinesCase& c = GetParam();
  EXPECT_EQ(Listing("a", "b", c.differences, c.lines), c.text);
}

const DiffList kThree = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};

INSTANTIATE_TEST_SUITE_P(
    Cases, ListingLinesText,
    testing::Values(
        LinesCase{"HeaderAlone", kThree, {0, 1}, "Address = a : b\r\n"},
        LinesCase{"HeaderAndFirst", kThree, {0, 2}, "Address = a : b\r\n01 = 02 : 03\r\n"},
        LinesCase{"Middle", kThree, {2, 1}, "04 = 05 : 06\r\n"},
        LinesCase{"PastTheEnd", kThree, {3, 10}, "07 = 08 : 09\r\n"},
        LinesCase{"BeyondTheEnd", kThree, {4, 10}, ""},
        LinesCase{"NoneAsked", kThree, {1, 0}, ""},
        LinesCase{"NoneAskedFromTheHeader", kThree, {0, 0}, ""},
        LinesCase{"NoDifferencesHeaderAlone", {}, {0, 1}, "Address = a : b\r\n"},
        LinesCase{"NoDifferencesLine", {}, {1, 5}, "差異はありません。\r\n"},
        LinesCase{"NoDifferencesWhole", {}, {0, 2}, "Address = a : b\r\n差異はありません。\r\n"}),
    [](const testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.name); });

TEST(ListingLinesCount, HeaderAndOneLinePerDifferenceOrTheNotice) {
  EXPECT_EQ(ListingLineCount({}), 2u);
  EXPECT_EQ(ListingLineCount(kThree), 4u);
}

TEST(ListingHeader, CarriesDoubleBytePathsByteForByte) {
  // 表 is 0x95 0x5C: its trail byte is a backslash and must stay single.
  std::string first = "C:\\\x95\x5C\\a.bin";
  std::string second = "D:\\\x83\x5C\x83\x74\x83\x67.bin";
  EXPECT_EQ(Listing(first, second, {}),
            "Address = " + first + " : " + second + "\r\n" + "差異はありません。\r\n");
}

TEST(ListingTexts, NoticesAreCodePage932) {
  // The ideographic space U+3000 is 0x81 0x40 in code page 932.
  EXPECT_EQ(kSizeMismatchText.substr(0, 2), "\x81\x40");
  EXPECT_EQ(kNoDifferencesLine, "\x8D\xB7\x88\xD9\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
                                "\x81\x42\r\n");
}

}  // namespace
