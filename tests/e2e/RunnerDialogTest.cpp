// qpxrun under Wine: the Open dialog of an empty command line and the
// dialog form of #path.
#include <gtest/gtest.h>

#include "CaseFolder.h"
#include "Runner.h"
#include "common/Hex.h"

namespace e2e {
namespace {

const std::string kTarget = "0123456789ABCDEF";
const std::string kPatched = "X123456789ABCDEF";  // after "0000 = 58 ;"
using Lines = std::vector<std::vector<std::string>>;

std::vector<std::string> FilterLine(const std::string& description, const std::string& pattern) {
  return {"filedialog.filter", hex::Encode(description), hex::Encode(pattern)};
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

// A file whose name has no code page 932 form is refused, in the script's
// dialog and in a target's: never taken for its look-alike.
TEST(RunnerDialogs, NameOutsideCp932IsRefused) {
  CaseFolder folder;
  const std::string target = Utf8(u8"é.bin");
  const std::string script = Utf8(u8"é.qpx");
  for (const std::string& name : {target, std::string("e.bin")}) folder.Write(name, kTarget);
  for (const std::string& name : {script, std::string("e.qpx")}) {
    folder.Write(name, "#path \"e.bin\" 0000 = 58 ; #end");
  }
  folder.Write("a.qpx", "#path dialog \"T|x|D|*.*|\" 0000 = 58 ; #end");
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), "",
                                          {"filedialog", UnicodeWindowsPath(folder.File(script))}),
                LoadFailedMessage());
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx"),
                                          {"filedialog", UnicodeWindowsPath(folder.File(target))}),
                ReasonMessage(2));
  EXPECT_EQ(folder.Read(target), kTarget);
  EXPECT_EQ(folder.Read("e.bin"), kTarget);
}

struct SpecCase {
  const char* name;
  std::string spec;  // the quoted unit's text as written in the script
  std::string title;
  std::string proposed;
  Lines filters;
  std::string chosen;  // UTF-8 name of the file chosen in the dialog
};

class RunnerTargetDialog : public ::testing::TestWithParam<SpecCase> {};

TEST_P(RunnerTargetDialog, ShowsTheScriptsDialogAndPatchesTheChosenFile) {
  const SpecCase& spec = GetParam();
  CaseFolder folder;
  folder.Write(spec.chosen, kTarget);
  folder.Write("a.qpx", "#path dialog \"" + spec.spec + "\" 0000 = 58 ; #end");
  DriverRun run =
      RunRunner(folder.Win(), folder.Win("a.qpx"), {"filedialog", folder.Win(spec.chosen)});
  ExpectSilentRun(run);
  EXPECT_EQ(run.transcript.Text("filedialog.title"), spec.title) << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.name"), spec.proposed) << run.output;
  EXPECT_EQ(run.transcript.All("filedialog.filter"), spec.filters) << run.output;
  EXPECT_EQ(folder.Read(spec.chosen), kPatched);
}

INSTANTIATE_TEST_SUITE_P(
    Specs, RunnerTargetDialog,
    ::testing::Values(
        SpecCase{"two_file_types", "Select\\sthe\\starget|game.sav|Saves|*.sav|All\\sfiles|*.*|",
                 "Select the target", "game.sav",
                 Lines{FilterLine("Saves", "*.sav"), FilterLine("All files", "*.*")}, "t.bin"},
        SpecCase{"japanese_title_one_type", "対象を選択|セーブ.bin|バイナリ|*.bin|", "対象を選択",
                 "セーブ.bin", Lines{FilterLine("バイナリ", "*.bin")}, Utf8(u8"セーブ.bin")},
        SpecCase{"empty_title_and_name", "||All|*.*|", "", "", Lines{FilterLine("All", "*.*")},
                 "t.bin"}),
    [](const ::testing::TestParamInfo<SpecCase>& info) { return info.param.name; });

struct OutcomeCase {
  const char* name;
  std::string spec;
  bool chooseHeldTarget;  // choose t.bin while the driver holds it with writing denied
  bool dialogShown;
  int reason;
};

class RunnerTargetDialogOutcome : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(RunnerTargetDialogOutcome, ShowsItsMessageAndLeavesTheFile) {
  const OutcomeCase& outcome = GetParam();
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path dialog \"" + outcome.spec + "\" 0000 = 58 ; #end");
  std::vector<std::string> steps;
  if (outcome.dialogShown) {
    steps = {"filedialog", outcome.chooseHeldTarget ? folder.Win("t.bin") : "cancel"};
  }
  DriverRun run = RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx"), steps,
                                            outcome.chooseHeldTarget ? folder.Win("t.bin") : "");
  ExpectMessage(run, ReasonMessage(outcome.reason));
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, RunnerTargetDialogOutcome,
    ::testing::Values(
        OutcomeCase{"cancel_confirms", "Pick|t.bin|Binary|*.bin|", false, true, 6},
        OutcomeCase{"chosen_file_held_open", "Pick|t.bin|Binary|*.bin|", true, true, 2},
        // Refused before any dialog: an odd number of bars, too few bars,
        // no bar at the end.
        OutcomeCase{"five_bars", "Pick|t.bin|Binary|*.bin|All|", false, false, 2},
        OutcomeCase{"three_bars", "Pick|t.bin|*.bin|", false, false, 2},
        OutcomeCase{"no_final_bar", "Pick|t.bin|Binary|*.bin", false, false, 2},
        // A proposed name that does not fit the dialog's 260-byte buffer is
        // refused, not cut.
        OutcomeCase{"proposed_name_too_long", "Pick|" + std::string(260, 'n') + "|Binary|*.bin|",
                    false, false, 2}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

// The dialog of a section does not move the targets of later sections: a
// script started by a relative name still finds its relative targets in
// the folder it was started from, not where the user browsed, and the file
// of the same name there stays as it is.
TEST(RunnerPathDialog, ChoiceDoesNotMoveLaterRelativeTargets) {
  CaseFolder folder;
  folder.Write("here/t.bin", kTarget);
  folder.Write("there/x.bin", kTarget);
  folder.Write("there/t.bin", kTarget);
  folder.Write("here/a.qpx",
               "#path dialog \"T|x.bin|D|*.bin|\" 0000 = 58 ; #end\r\n"
               "#path \"t.bin\" 0000 = 58 ; #end\r\n");
  ExpectSilentRun(
      RunRunner(folder.Win("here"), "a.qpx", {"filedialog", folder.Win("there/x.bin")}));
  EXPECT_EQ(folder.Read("there/x.bin"), kPatched);
  EXPECT_EQ(folder.Read("here/t.bin"), kPatched);
  EXPECT_EQ(folder.Read("there/t.bin"), kTarget);
}

}  // namespace
}  // namespace e2e
