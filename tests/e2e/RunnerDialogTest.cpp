// qpxrun under Wine: the Open dialog of an empty command line and the
// dialog form of #path.
#include <gtest/gtest.h>

#include "CaseFolder.h"
#include "Runner.h"

namespace e2e {
namespace {

const std::string kTarget = "0123456789ABCDEF";
const std::string kPatched = "X123456789ABCDEF";  // after "0000 = 58 ;"
using Lines = std::vector<std::vector<std::string>>;

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  if (bytes.empty()) return "-";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::vector<std::string> FilterLine(const std::string& description, const std::string& pattern) {
  return {"filedialog.filter", Hex(description), Hex(pattern)};
}

void ExpectScriptDialog(const DriverRun& run, const std::string& folder) {
  EXPECT_EQ(run.transcript.Text("filedialog.title"), "Quopraファイルを開く") << run.output;
  EXPECT_EQ(run.transcript.All("filedialog.filter"),
            (Lines{FilterLine("Quopraファイル (*.qpx)", "*.qpx")}))
      << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.folder"), folder) << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.name"), "") << run.output;
}

TEST(RunnerScriptDialog, CancelEndsSilently) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = 58 ; #end");
  DriverRun run = RunRunner(folder.Win(), "", {"filedialog", "cancel"});
  ExpectSilentRun(run);
  ExpectScriptDialog(run, folder.Win());
  EXPECT_TRUE(run.transcript.Has("filedialog.cancelled")) << run.output;
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

TEST(RunnerScriptDialog, ChosenScriptRuns) {
  CaseFolder folder;
  folder.Write("scripts/t.bin", kTarget);
  folder.Write("scripts/a.qpx", "#path \"t.bin\" 0000 = 58 ; #end");
  DriverRun run = RunRunner(folder.Win(), "", {"filedialog", folder.Win("scripts/a.qpx")});
  ExpectSilentRun(run);
  ExpectScriptDialog(run, folder.Win());
  EXPECT_EQ(folder.Read("scripts/t.bin"), kPatched);
}

struct SpecCase {
  const char* name;
  std::string spec;  // the quoted unit's text as written in the script
  std::string title;
  std::string proposed;
  Lines filters;
};

class RunnerTargetDialog : public ::testing::TestWithParam<SpecCase> {};

TEST_P(RunnerTargetDialog, ShowsTheScriptsDialogAndPatchesTheChosenFile) {
  const SpecCase& spec = GetParam();
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path dialog \"" + spec.spec + "\" 0000 = 58 ; #end");
  DriverRun run = RunRunner(folder.Win(), folder.Win("a.qpx"), {"filedialog", folder.Win("t.bin")});
  ExpectSilentRun(run);
  EXPECT_EQ(run.transcript.Text("filedialog.title"), spec.title) << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.name"), spec.proposed) << run.output;
  EXPECT_EQ(run.transcript.All("filedialog.filter"), spec.filters) << run.output;
  EXPECT_EQ(folder.Read("t.bin"), kPatched);
}

INSTANTIATE_TEST_SUITE_P(
    Specs, RunnerTargetDialog,
    ::testing::Values(
        SpecCase{"two_file_types", "Select\\sthe\\starget|game.sav|Saves|*.sav|All\\sfiles|*.*|",
                 "Select the target", "game.sav",
                 Lines{FilterLine("Saves", "*.sav"), FilterLine("All files", "*.*")}},
        SpecCase{"japanese_title_one_type", "対象を選択|セーブ.bin|バイナリ|*.bin|", "対象を選択",
                 "セーブ.bin", Lines{FilterLine("バイナリ", "*.bin")}},
        SpecCase{"empty_title_and_name", "||All|*.*|", "", "", Lines{FilterLine("All", "*.*")}}),
    [](const ::testing::TestParamInfo<SpecCase>& info) { return info.param.name; });

TEST(RunnerTargetDialogOutcome, CancelShowsTheConfirmationAndLeavesTheFile) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path dialog \"Pick|t.bin|Binary|*.bin|\" 0000 = 58 ; #end");
  DriverRun run = RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx"), {"filedialog", "cancel"});
  ExpectMessage(run, ReasonMessage(6));
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

TEST(RunnerTargetDialogOutcome, ChosenFileHeldWithWritingDeniedFailsToOpen) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path dialog \"Pick|t.bin|Binary|*.bin|\" 0000 = 58 ; #end");
  DriverRun run = RunDriver({"hold", folder.Win("t.bin"), "launch", RunnerExe(), folder.Win(),
                             folder.Win("a.qpx"), "filedialog", folder.Win("t.bin"), "msgbox", "OK",
                             "exit"});
  ExpectMessage(run, ReasonMessage(2));
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

// A specification with an odd number of bars is refused before any dialog.
TEST(RunnerTargetDialogOutcome, MalformedSpecificationFailsWithoutDialog) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path dialog \"Pick|t.bin|Binary|*.bin|All|\" 0000 = 58 ; #end");
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx")), ReasonMessage(2));
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

}  // namespace
}  // namespace e2e
