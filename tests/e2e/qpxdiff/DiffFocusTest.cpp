// qpxdiff's keyboard focus under Wine. Activating a window moves the
// focus of the whole display, so this case runs alone.
#include <gtest/gtest.h>

#include "DiffSession.h"

namespace e2e::diff {
namespace {

TEST(DiffFocus, ActivatingTheWindowPutsTheFocusIntoThePane) {
  DriverRun run = RunDiff({"window", "focus"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("focus.foreground"), "yes") << run.output;
  EXPECT_EQ(run.transcript.Word("focus.is"), "pane") << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0");
}

}  // namespace
}  // namespace e2e::diff
