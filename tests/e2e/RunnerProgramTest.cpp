// qpxrun.exe as built: its version block and its icon.
#include <gtest/gtest.h>

#include "Runner.h"

namespace e2e {
namespace {

TEST(RunnerProgram, CarriesAJapaneseVersionBlockAndOneIconGroup) {
  DriverRun run = RunDriver({"resources", RunnerExe()});
  ASSERT_TRUE(run.Followed()) << run.output;
  using Lines = std::vector<std::vector<std::string>>;
  EXPECT_EQ(run.transcript.All("resources.version"),
            (Lines{{"resources.version", "3.0.2.1", "3.0.2.1"}}))
      << run.output;
  EXPECT_EQ(run.transcript.All("resources.translation"),
            (Lines{{"resources.translation", "0411", "03A4"}}))
      << run.output;  // Japanese, code page 932
  EXPECT_NE(run.transcript.Text("resources.description"), "") << run.output;
  EXPECT_EQ(run.transcript.Word("resources.icongroups"), "1") << run.output;
}

}  // namespace
}  // namespace e2e
