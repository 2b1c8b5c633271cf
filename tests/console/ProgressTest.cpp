#include <gtest/gtest.h>

#include <string>

#include "console/ExitStatus.h"
#include "console/Progress.h"

namespace {

struct LineCase {
  const char* name;
  uint64_t step;
  uint64_t total;
  int columns;
  std::string line;
  std::string what = "load a";
};

class ProgressLineTest : public testing::TestWithParam<LineCase> {};

// The line fills every column but the last, padded with spaces.
TEST_P(ProgressLineTest, FillsTheFinishedStepsAndFitsTheTerminal) {
  std::string expected = GetParam().line;
  expected.resize(static_cast<size_t>(GetParam().columns - 1), ' ');
  EXPECT_EQ(ProgressLine(GetParam().step, GetParam().total, GetParam().what, GetParam().columns),
            expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgressLineTest,
    testing::Values(LineCase{"FirstStep", 1, 2, 50, "qpx [........................] 1/2 load a"},
                    LineCase{"SecondStep", 2, 2, 50, "qpx [############............] 2/2 load a"},
                    LineCase{"CutToTheWidth", 1, 4, 20, "qpx [.............."},
                    LineCase{"OneColumnLeavesNothing", 1, 1, 1, ""},
                    // A double-byte character that does not fit whole is left out.
                    LineCase{"CutBeforeADoubleByteCharacter", 1, 1, 39,
                             "qpx [........................] 1/1 表", "表表"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

struct ReasonCase {
  int32_t reason;
  int status;
};

class ReasonStatus : public testing::TestWithParam<ReasonCase> {};

// Every reason has its own status, none of them 2, the status of a faulty
// command line.
TEST_P(ReasonStatus, IsTenPlusTheReasonOrTheOtherFailureStatus) {
  EXPECT_EQ(ExitStatusOfReason(GetParam().reason), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Reasons, ReasonStatus,
                         testing::Values(ReasonCase{0, 10}, ReasonCase{3, 13}, ReasonCase{6, 16},
                                         ReasonCase{7, 17}, ReasonCase{-1, 17}));

TEST(ExitStatusTable, ListsEachStatusOnceInAscendingOrder) {
  int previous = -1;
  for (const ExitStatusRow& row : ExitStatusTable()) {
    EXPECT_GT(row.status, previous) << row.meaning.english;
    previous = row.status;
  }
}

}  // namespace
