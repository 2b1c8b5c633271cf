#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "compare/Comparison.h"
#include "tests/support/TestFiles.h"

namespace {

// The plain definition: one entry for each offset where the bytes differ.
DiffList ByteByByte(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  DiffList list;
  for (uint32_t at = 0; at < a.size(); ++at) {
    if (a[at] != b[at]) list.push_back({at, a[at], b[at]});
  }
  return list;
}

struct CompareCase {
  const char* name;
  uint32_t size;
  std::vector<uint32_t> changed;  // offsets whose byte the second array changes
};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

class BlockComparison : public testing::TestWithParam<CompareCase> {};

TEST_P(BlockComparison, FindsExactlyTheDifferingBytesInOrder) {
  const CompareCase& c = GetParam();
  std::mt19937 random(c.size);
  std::vector<unsigned char> first(c.size);
  for (auto& byte : first) byte = static_cast<unsigned char>(random());
  std::vector<unsigned char> second = first;
  for (uint32_t at : c.changed)
    second[at] = static_cast<unsigned char>(second[at] ^ (1 + at % 255));
  DiffList found;
  CompareBytes(first.data(), second.data(), c.size, found);
  DiffList expected = ByteByByte(first, second);
  ASSERT_EQ(found.size(), c.changed.size());
  EXPECT_EQ(found, expected);
}

std::vector<uint32_t> Every(uint32_t size) {
  std::vector<uint32_t> all(size);
  for (uint32_t at = 0; at < size; ++at) all[at] = at;
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BlockComparison,
    testing::Values(CompareCase{"Empty", 0, {}}, CompareCase{"OneByte", 1, {0}},
                    CompareCase{"Identical", 1000, {}},
                    CompareCase{"BlockEdges", 100, {0, 7, 8, 31, 32, 63, 64, 95, 96, 99}},
                    CompareCase{"LastByteOfWholeBlocks", 64, {63}},
                    CompareCase{"OnlyTail", 37, {32, 36}},
                    CompareCase{"NeighboursInOneWord", 40, {9, 10, 11, 12, 13, 14, 15}},
                    CompareCase{"EveryByte", 77, Every(77)}),
    [](const testing::TestParamInfo<CompareCase>& info) { return std::string(info.param.name); });

class ComparisonState : public testing::Test {
 protected:
  // A comparison that found one difference, to see what later steps clear.
  void CompareWithOneDifference() {
    ASSERT_EQ(comparison.CompareFiles(folder.Write("x", "abc"), folder.Write("y", "abd")),
              CompareOutcome::kCompared);
    ASSERT_TRUE(comparison.FoundDifferences());
  }

  TempFolder folder;
  CComparison comparison;
};

TEST_F(ComparisonState, EqualFilesLeaveNoDifferences) {
  CompareWithOneDifference();
  std::string same = folder.Write("same", "hello");
  EXPECT_EQ(comparison.CompareFiles(same, same), CompareOutcome::kCompared);
  EXPECT_TRUE(comparison.Differences().empty());
  EXPECT_FALSE(comparison.FoundDifferences());
}

TEST_F(ComparisonState, EmptyFilesCompareAsEqual) {
  EXPECT_EQ(comparison.CompareFiles(folder.Write("a", ""), folder.Write("b", "")),
            CompareOutcome::kCompared);
  EXPECT_FALSE(comparison.FoundDifferences());
}

TEST_F(ComparisonState, DifferentSizesEmptyTheList) {
  CompareWithOneDifference();
  EXPECT_EQ(comparison.CompareFiles(folder.Write("ten", std::string(10, 'a')),
                                    folder.Write("eleven", std::string(11, 'a'))),
            CompareOutcome::kSizesDiffer);
  EXPECT_TRUE(comparison.Differences().empty());
  EXPECT_FALSE(comparison.FoundDifferences());
}

TEST_F(ComparisonState, FailedLoadsEmptyTheListAndKeepTheNewPath) {
  struct Case {
    bool firstFails;
    CompareOutcome outcome;
  };
  for (Case c : {Case{true, CompareOutcome::kFirstLoadFailed},
                 Case{false, CompareOutcome::kSecondLoadFailed}}) {
    CompareWithOneDifference();
    std::string good = folder.Write("good", "abc");
    std::string bad = folder.Write("readonly", "abc");
    MakeReadOnly(bad);
    std::string first = c.firstFails ? bad : good;
    std::string second = c.firstFails ? good : bad;
    EXPECT_EQ(comparison.CompareFiles(first, second), c.outcome);
    EXPECT_TRUE(comparison.Differences().empty());
    EXPECT_FALSE(comparison.FoundDifferences());
    EXPECT_EQ(c.firstFails ? comparison.FirstPath() : comparison.SecondPath(), bad);
  }
}

// Files are read a few MiB at a time: differences on either side of a
// piece's edge keep their addresses, and when both files fail the first is
// blamed, as when each was loaded whole in turn.
TEST_F(ComparisonState, ComparesLargeFilesPieceByPiece) {
  constexpr uint32_t kMiB = 1 << 20;
  const uint32_t size = 9 * kMiB + 3;
  std::string first(size, '\x5A');
  std::string second = first;
  const std::vector<uint32_t> changed = {0, 4 * kMiB - 1, 4 * kMiB, 8 * kMiB + 5, size - 1};
  for (uint32_t at : changed) second[at] = static_cast<char>(at);
  ASSERT_EQ(comparison.CompareFiles(folder.Write("a", first), folder.Write("b", second)),
            CompareOutcome::kCompared);
  ASSERT_EQ(comparison.Differences().size(), changed.size());
  for (size_t at = 0; at < changed.size(); ++at) {
    EXPECT_EQ(comparison.Differences()[at],
              (DiffEntry{changed[at], 0x5A, static_cast<unsigned char>(changed[at])}));
  }
  std::string readOnly = folder.Write("ro", "abc");
  MakeReadOnly(readOnly);
  EXPECT_EQ(comparison.CompareFiles(readOnly, folder.File("missing")),
            CompareOutcome::kFirstLoadFailed);
  EXPECT_EQ(comparison.CompareFiles(folder.File("a"), folder.File("missing")),
            CompareOutcome::kSecondLoadFailed);
  EXPECT_TRUE(comparison.Differences().empty());
}

// The largest files there are: the last piece ends at the top of the
// addresses. Both are sparse, so reading their 8 GiB takes a few seconds.
TEST_F(ComparisonState, ComparesFilesUpToTheLargestSize) {
  const uint32_t size = UINT32_MAX;
  std::string first = folder.Write("a", "");
  std::string second = folder.Write("b", "");
  ASSERT_EQ(truncate(first.c_str(), static_cast<off_t>(size)), 0);
  ASSERT_EQ(truncate(second.c_str(), static_cast<off_t>(size)), 0);
  std::fstream(second, std::ios::binary | std::ios::in | std::ios::out).seekp(size - 1).put('\x7E');
  ASSERT_EQ(comparison.CompareFiles(first, second), CompareOutcome::kCompared);
  EXPECT_EQ(comparison.Differences(), (DiffList{{size - 1, 0x00, 0x7E}}));
}

TEST_F(ComparisonState, RecordsBothBytesOfEachDifference) {
  std::string a = folder.Write("a", std::string("\x00\x11\x22\x33", 4));
  std::string b = folder.Write("b", std::string("\xFF\x11\x22\x44", 4));
  ASSERT_EQ(comparison.CompareFiles(a, b), CompareOutcome::kCompared);
  ASSERT_EQ(comparison.Differences().size(), 2u);
  EXPECT_EQ(comparison.Differences()[0], (DiffEntry{0, 0x00, 0xFF}));
  EXPECT_EQ(comparison.Differences()[1], (DiffEntry{3, 0x33, 0x44}));
  EXPECT_EQ(comparison.FirstPath(), a);
  EXPECT_EQ(comparison.SecondPath(), b);
}

}  // namespace
