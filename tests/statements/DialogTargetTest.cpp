#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/Statement.h"
#include "platform/Dialogs.h"
#include "qpxrun/RunnerHost.h"
#include "statements/DialogTarget.h"
#include "tests/standin/StandIn.h"
#include "tests/support/ScriptRun.h"

namespace {

using platform::standin::Recorder;
using Fields = std::vector<std::string>;

struct SpecCase {
  std::string name;
  std::string unit;
  Fields fields;  // empty: the description is refused
};

class DialogSpec : public testing::TestWithParam<SpecCase> {};

TEST_P(DialogSpec, SplitsTitleNameAndNulSeparatedFilter) {
  Fields fields = {"unchanged"};
  bool ok = ParseDialogSpec(GetParam().unit, fields);
  EXPECT_EQ(ok, !GetParam().fields.empty());
  EXPECT_EQ(fields, ok ? GetParam().fields : Fields{"unchanged"});
}

INSTANTIATE_TEST_SUITE_P(
    Specs, DialogSpec,
    testing::Values(
        SpecCase{"FourBars",
                 "\"T|n.exe|Programs|*.exe|\"",
                 {"T", "n.exe", std::string("Programs\0*.exe\0", 15)}},
        SpecCase{"SixBarsWithEscapes",
                 "\"Select\\sthe\\starget|game.exe|Programs|*.exe|All\\sfiles|*.*|\"",
                 {"Select the target", "game.exe",
                  std::string("Programs\0*.exe\0All files\0*.*\0", 29)}},
        SpecCase{"EmptyFields", "\"||d|p|\"", {"", "", std::string("d\0p\0", 4)}},
        SpecCase{"JapaneseTitle", "\"表示|名|d|p|\"", {"表示", "名", std::string("d\0p\0", 4)}},
        SpecCase{"FiveBars", "\"T|n|d|p|x|\"", {}}, SpecCase{"ThreeBars", "\"T|n|d|\"", {}},
        SpecCase{"MissingLastBar", "\"T|n|d|p\"", {}}, SpecCase{"NotQuoted", "T|n|d|p|", {}},
        SpecCase{"EmptyText", "\"\"", {}},
        // The trail byte 0x7C of ポ is a bar too, making five.
        SpecCase{"TrailByteBar", "\"ポ|n|d|p|\"", {}}),
    [](const testing::TestParamInfo<SpecCase>& info) { return info.param.name; });

class DialogHandler : public StandInTest {
 protected:
  HandlerResult Handle(const std::string& unit) {
    statement.operands = {unit};
    return HandleDialog(host, statement);
  }
  TempFolder folder;
  CRunnerHost host;
  CStatement statement;
};

TEST_F(DialogHandler, ShowsTheSpecifiedOpenDialog) {
  EXPECT_EQ(Handle("\"Pick\\sone|game.exe|Programs|*.exe|\""), HandlerResult::kCancelled);
  ASSERT_EQ(Recorder().dialogs.size(), 1u);
  const auto& dialog = Recorder().dialogs[0];
  EXPECT_FALSE(dialog.save);
  EXPECT_EQ(dialog.structSize, platform::kOpenFileNameSize);
  EXPECT_EQ(dialog.owner, nullptr);
  EXPECT_EQ(dialog.title, "Pick one");
  EXPECT_EQ(dialog.fileName, "game.exe");
  EXPECT_EQ(dialog.filter, std::string("Programs\0*.exe\0\0", 16));
  EXPECT_EQ(dialog.flags, 0x201004u);
  EXPECT_EQ(dialog.initialDir, std::nullopt);
  EXPECT_EQ(dialog.defaultExtension, std::nullopt);
  EXPECT_EQ(dialog.maxFile, 260u);
  EXPECT_EQ(dialog.filterIndex, 0u);
}

TEST_F(DialogHandler, MakesTheChosenFileTheOnlyOperand) {
  std::string chosen = folder.Write("chosen.bin", "xyz");
  Recorder().dialogAnswers.push_back(chosen);
  EXPECT_EQ(Handle("\"t||d|p|\""), HandlerResult::kDone);
  EXPECT_EQ(statement.operands, Fields{chosen});
}

TEST_F(DialogHandler, ChoiceWithoutCp932FormFails) {
  Recorder().dialogAnswers.push_back(platform::standin::kAnswerWithoutCp932Form);
  EXPECT_EQ(Handle("\"t||d|p|\""), HandlerResult::kFailed);
}

TEST_F(DialogHandler, ReadOnlyChoiceIsReasonTwo) {
  std::string chosen = folder.Write("chosen.bin", "xyz");
  MakeReadOnly(chosen);
  Recorder().dialogAnswers.push_back(chosen);
  EXPECT_EQ(RunScriptText(folder, "#path dialog \"t||d|p|\" 0001 = 41 ; #end"), 2);
  EXPECT_EQ(ReadFileBytes(chosen), "xyz");
}

TEST_F(DialogHandler, RefusedSpecificationShowsNoDialog) {
  for (const std::string& unit :
       Fields{"\"t|n|d|\"", "t|n|d|p|", "\"t|" + std::string(260, 'n') + "|d|p|\""}) {
    EXPECT_EQ(Handle(unit), HandlerResult::kFailed) << unit;
  }
  EXPECT_TRUE(Recorder().dialogs.empty());
  EXPECT_EQ(Handle("\"t|" + std::string(259, 'n') + "|d|p|\""), HandlerResult::kCancelled);
  ASSERT_EQ(Recorder().dialogs.size(), 1u);
  EXPECT_EQ(Recorder().dialogs[0].fileName, std::string(259, 'n'));
}

TEST_F(DialogHandler, EndOfSectionSavesToTheChosenFile) {
  std::string chosen = folder.Write("chosen.bin", "xyz");
  Recorder().dialogAnswers.push_back(chosen);
  EXPECT_EQ(RunScriptText(folder, "#path dialog \"t||d|p|\" 0001 = 41 ; #end"), std::nullopt);
  EXPECT_EQ(ReadFileBytes(chosen), "xAz");
}

TEST_F(DialogHandler, TooLongInitialNameInScriptIsReasonTwo) {
  Recorder().dialogAnswers.push_back(folder.Write("chosen.bin", "xyz"));
  std::string script = "#path dialog \"t|" + std::string(300, 'n') + "|d|p|\" 0001 = 41 ; #end";
  EXPECT_EQ(RunScriptText(folder, script), 2);
  EXPECT_TRUE(Recorder().dialogs.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("chosen.bin")), "xyz");
}

}  // namespace
