// qpxrun.exe as built: its version block and its icon.
#include <gtest/gtest.h>

#include "Runner.h"

namespace e2e {
namespace {

// The version is packaging/VERSION's, padded to four numbers.
TEST(RunnerProgram, CarriesAJapaneseVersionBlockAndOneIconGroup) {
  DriverRun run = RunDriver({"resources", RunnerExe()});
  ASSERT_TRUE(run.Followed()) << run.output;
  using Lines = std::vector<std::vector<std::string>>;
  EXPECT_EQ(run.transcript.All("resources.version"),
            (Lines{{"resources.version", QPX_E2E_FILE_VERSION, QPX_E2E_FILE_VERSION}}))
      << run.output;
  EXPECT_EQ(run.transcript.All("resources.translation"),
            (Lines{{"resources.translation", "0411", "03A4"}}))
      << run.output;  // Japanese, code page 932
  EXPECT_NE(run.transcript.Text("resources.description"), "") << run.output;
  EXPECT_EQ(run.transcript.Word("resources.icongroups"), "1") << run.output;
}

}  // namespace
}  // namespace e2e
