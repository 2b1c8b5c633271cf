#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image/SourceData.h"
#include "language/Statement.h"
#include "statements/BitStatements.h"
#include "statements/ByteStatements.h"
#include "tests/support/TestFiles.h"
#include "text/HexString.h"

namespace {

using Handler = HandlerResult (*)(CSourceData&, CStatement&);
constexpr HandlerResult kDone = HandlerResult::kDone;
constexpr HandlerResult kFailed = HandlerResult::kFailed;
using Changes = std::map<int, int>;

// Eighteen bytes 00 to 11, with some of them changed.
std::string Bytes(const Changes& changes = {}) {
  std::string bytes;
  for (int i = 0; i < 18; ++i) bytes += static_cast<char>(i);
  for (auto [at, value] : changes) bytes[at] = static_cast<char>(value);
  return bytes;
}

struct PatchCase {
  std::string name;
  Handler handler;
  std::vector<std::string> operands;
  std::optional<HandlerResult> result;  // nothing: CHexStringException
  Changes after;                        // bytes changed afterwards
  Changes before = {};                  // bytes changed beforehand
  bool storesSameValue = false;         // a store that leaves the byte as it was
};

class ImagePatch : public testing::TestWithParam<PatchCase> {};

// Stores only through the handler, and marks the image modified exactly
// when a byte was stored.
TEST_P(ImagePatch, ChangesExactlyTheBytesItNames) {
  const PatchCase& c = GetParam();
  TempFolder folder;
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.Write("f.bin", Bytes(c.before))));
  CStatement statement;
  statement.operands = c.operands;
  if (c.result) {
    EXPECT_EQ(c.handler(image, statement), *c.result);
  } else {
    EXPECT_THROW(c.handler(image, statement), HexString::CHexStringException);
  }
  Changes expected = c.before;
  for (auto [at, value] : c.after) expected[at] = value;
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image.GetPointer(0)), 18), Bytes(expected));
  EXPECT_EQ(image.IsModified(), !c.after.empty() || c.storesSameValue);
}

PatchCase Set(std::string name, std::string address, std::string pattern,
              std::optional<HandlerResult> result, Changes after) {
  return {std::move(name),
          HandleSetBytes,
          {std::move(address), std::move(pattern)},
          result,
          std::move(after)};
}

PatchCase Fill(std::string name, std::string start, std::string end, std::string pattern,
               std::optional<HandlerResult> result, Changes after) {
  return {std::move(name),
          HandleFillBytes,
          {std::move(start), std::move(end), std::move(pattern)},
          result,
          std::move(after)};
}

INSTANTIATE_TEST_SUITE_P(
    SetBytes, ImagePatch,
    testing::Values(Set("Wildcard", "0004", "11XX33", kDone, {{4, 0x11}, {6, 0x33}}),
                    Set("LowerCaseDigits", "0001", "ff", kDone, {{1, 0xFF}}),
                    Set("PastTheEnd", "0011", "1122", kFailed, {{17, 0x11}}),
                    Set("WildcardPastTheEnd", "0011", "11XX", kDone, {{17, 0x11}}),
                    Set("HalfWildcardFirst", "0000", "11X1", kFailed, {}),
                    Set("HalfWildcardSecond", "0000", "111X", kFailed, {}),
                    Set("OnlyWildcards", "0000", "XXXX", kDone, {}),
                    Set("LowerCaseXIsNoWildcard", "0000", "11xx", std::nullopt, {}),
                    Set("NoNumber", "0000", "x5", std::nullopt, {}),
                    Set("AddressPastHighest", "FFFFFFFF", "XX11", kFailed, {}),
                    PatchCase{"OneOperand", HandleSetBytes, {"0000"}, kFailed, {}}),
    [](const testing::TestParamInfo<PatchCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    FillBytes, ImagePatch,
    testing::Values(Fill("Repeats", "0000", "0003", "AABB", kDone,
                         {{0, 0xAA}, {1, 0xBB}, {2, 0xAA}, {3, 0xBB}}),
                    Fill("CutAtEnd", "0000", "0002", "AABB", kDone,
                         {{0, 0xAA}, {1, 0xBB}, {2, 0xAA}}),
                    Fill("OneByte", "0003", "0003", "AABB", kDone, {{3, 0xAA}}),
                    Fill("StartAboveEnd", "0005", "0003", "AA", kDone, {}),
                    Fill("Wildcards", "0000", "0003", "XX11", kDone, {{1, 0x11}, {3, 0x11}}),
                    Fill("PastTheEnd", "0010", "0020", "77", kDone, {{16, 0x77}, {17, 0x77}}),
                    Fill("WholeAddressRange", "00000000", "FFFFFFFF", "0102", kDone,
                         {{0, 1},
                          {1, 2},
                          {2, 1},
                          {3, 2},
                          {4, 1},
                          {5, 2},
                          {6, 1},
                          {7, 2},
                          {8, 1},
                          {9, 2},
                          {10, 1},
                          {11, 2},
                          {12, 1},
                          {13, 2},
                          {14, 1},
                          {15, 2},
                          {16, 1},
                          {17, 2}}),
                    Fill("WhollyPastTheEnd", "0012", "FFFFFFFF", "00", kDone, {}),
                    Fill("HalfWildcard", "0000", "0003", "1X", kFailed, {}),
                    Fill("NoNumber", "0000", "0003", "x5", std::nullopt, {}),
                    PatchCase{"TwoOperands", HandleFillBytes, {"0000", "00"}, kFailed, {}}),
    [](const testing::TestParamInfo<PatchCase>& info) { return info.param.name; });

PatchCase Bits(std::string name, std::vector<std::string> operands, HandlerResult result,
               Changes after, Changes before = {}) {
  Handler handler = operands.size() == 3 ? HandleFillBits : HandleSetBits;
  return {std::move(name), handler,          std::move(operands),
          result,          std::move(after), std::move(before)};
}

PatchCase KeepAll() {
  PatchCase keep = Bits("KeepAllStillMarks", {"0003", "XXXXXXXX"}, kDone, {});
  keep.storesSameValue = true;
  return keep;
}

INSTANTIATE_TEST_SUITE_P(
    Bits, ImagePatch,
    testing::Values(
        Bits("SetsAndClears", {"00000010", "1XXXXXX0"}, kDone, {{16, 0xFE}}, {{16, 0x7F}}),
        Bits("SetsHighBit", {"00000010", "1XXXXXX0"}, kDone, {{16, 0x80}}, {{16, 0x00}}),
        Bits("TwoGroups", {"00000010", "00000000XXXXXXX1"}, kDone, {{16, 0x00}, {17, 0x11}},
             {{16, 0xFF}, {17, 0x10}}),
        KeepAll(),
        Bits("SecondGroupPastTheEnd", {"0011", "1111111111111111"}, kFailed, {{17, 0xFF}}),
        Bits("AddressPastHighest", {"FFFFFFFF", "11111111"}, kFailed, {}),
        Bits("RangeRepeats", {"0000", "0004", "11111111XXXXXXX0"}, kDone,
             {{0, 0xFF}, {1, 0x00}, {2, 0xFF}, {3, 0x02}, {4, 0xFF}}),
        Bits("RangeOfOne", {"0003", "0003", "1111111100000000"}, kDone, {{3, 0xFF}}),
        Bits("RangeStartAboveEnd", {"0005", "0003", "11111111"}, kDone, {}),
        Bits("RangePastTheEnd", {"0010", "0013", "11111111"}, kFailed, {{16, 0xFF}, {17, 0xFF}}),
        Bits("WholeAddressRange", {"0000", "FFFFFFFF", "XXXXXXX1"}, kFailed,
             {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}, {12, 13}, {14, 15}, {16, 17}}),
        Bits("OneOperand", {"0000"}, kFailed, {})),
    [](const testing::TestParamInfo<PatchCase>& info) { return info.param.name; });

TEST(PatchWithoutTarget, StoresFailButFillsSucceed) {
  CSourceData image;
  CStatement statement;
  statement.operands = {"0000", "11"};
  EXPECT_EQ(HandleSetBytes(image, statement), kFailed);
  statement.operands = {"0000", "11111111"};
  EXPECT_EQ(HandleSetBits(image, statement), kFailed);
  statement.operands = {"0000", "0003", "11"};
  EXPECT_EQ(HandleFillBytes(image, statement), kDone);
  statement.operands = {"0000", "0003", "11111111"};
  EXPECT_EQ(HandleFillBits(image, statement), kFailed);
  EXPECT_EQ(image.IsModified(), 0);
}

struct GroupCase {
  std::string group;
  unsigned char before;
  std::optional<unsigned char> after;  // nothing: refused, byte unchanged
};

class BitGroup : public testing::TestWithParam<GroupCase> {};

TEST_P(BitGroup, SetsClearsOrKeepsEachBitMostSignificantFirst) {
  unsigned char byte = GetParam().before;
  EXPECT_EQ(ApplyBitGroup(byte, GetParam().group), GetParam().after.has_value());
  EXPECT_EQ(byte, GetParam().after.value_or(GetParam().before));
}

INSTANTIATE_TEST_SUITE_P(Groups, BitGroup,
                         testing::Values(GroupCase{"1XXXXXX0", 0x7F, 0xFE},
                                         GroupCase{"XXXXXXXX", 0x5A, 0x5A},
                                         GroupCase{"10000000", 0xFF, 0x80},
                                         GroupCase{"X0X0X0X1", 0xFF, 0xAB},
                                         GroupCase{"0000000", 0xFF, std::nullopt},
                                         GroupCase{"000000000", 0xFF, std::nullopt},
                                         GroupCase{"0000000x", 0xFF, std::nullopt},
                                         GroupCase{"0000000 ", 0xFF, std::nullopt}));

}  // namespace
