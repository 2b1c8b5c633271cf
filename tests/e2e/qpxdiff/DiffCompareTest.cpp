// qpxdiff's Open command under Wine: the listing, the size notice,
// cancelled dialogs and files that cannot be read.
#include <gtest/gtest.h>

#include <ostream>

#include "CaseFolder.h"
#include "DiffSession.h"

namespace e2e::diff {
namespace {

// Twelve bytes, and a copy changed at 0x00, 0x0A and the last byte.
const std::string kOld("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B", 12);
const std::string kNew("\xFF\x01\x02\x03\x04\x05\x06\x07\x08\x09\x05\x80", 12);
const std::vector<std::string> kLines = {"00 = 00 : FF", "0A = 0A : 05", "0B = 0B : 80"};

TEST(DiffCompare, ListsEveryDifferenceAndEnablesCreateScript) {
  CaseFolder folder;
  folder.Write("old.bin", kOld);
  folder.Write("new.bin", kNew);
  Steps steps = OpenSteps(folder.Win("old.bin"), folder.Win("new.bin"));
  steps.insert(steps.end(), {"edit", "menu", "0"});
  DriverRun run = RunDiff(steps);
  const Transcript& out = run.transcript;
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(NthText(out, "filedialog.title", 0), "1つ目のファイルを開く");
  EXPECT_EQ(NthText(out, "filedialog.title", 1), "変更元ファイルを開く");
  EXPECT_EQ(NthText(out, "filedialog.name", 1), "");
  for (size_t dialog = 0; dialog < 2; ++dialog) {
    EXPECT_EQ(NthText(out, "filedialog.filter", dialog, 0), "すべてのファイル (*.*)");
    EXPECT_EQ(NthText(out, "filedialog.filter", dialog, 1), "*.*");
  }
  EXPECT_EQ(out.Text("edit.text"), Listing(folder.Win("old.bin"), folder.Win("new.bin"), kLines))
      << run.output;
  EXPECT_EQ(MenuState(out, kCreateScript), "enabled") << run.output;
  EXPECT_FALSE(out.Has("msgbox.caption"));
}

TEST(DiffCompare, SameFileTwiceHasNoDifferences) {
  CaseFolder folder;
  folder.Write("same.bin", kOld);
  Steps steps = OpenSteps(folder.Win("same.bin"), folder.Win("same.bin"));
  steps.insert(steps.end(), {"edit", "menu", "0"});
  DriverRun run = RunDiff(steps);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Text("edit.text"),
            Listing(folder.Win("same.bin"), folder.Win("same.bin"), {"差異はありません。"}));
  EXPECT_EQ(MenuState(run.transcript, kCreateScript), "grayed");
}

TEST(DiffCompare, SizeMismatchReplacesTheListingAndGreysCreateScript) {
  CaseFolder folder;
  folder.Write("old.bin", kOld);
  folder.Write("new.bin", kNew);
  folder.Write("ten.bin", std::string(10, 'a'));
  folder.Write("eleven.bin", std::string(11, 'a'));
  Steps steps = OpenSteps(folder.Win("old.bin"), folder.Win("new.bin"));
  Steps mismatch = OpenSteps(folder.Win("ten.bin"), folder.Win("eleven.bin"));
  steps.insert(steps.end(), mismatch.begin(), mismatch.end());
  steps.insert(steps.end(), {"edit", "menu", "0"});
  DriverRun run = RunDiff(steps);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Text("edit.text"), SizeMismatchText()) << run.output;
  EXPECT_EQ(MenuState(run.transcript, kCreateScript), "grayed");
}

struct CancelCase {
  const char* name;
  bool cancelFirst;
  const char* createScript;  // its state afterwards
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class DiffCancel : public ::testing::TestWithParam<CancelCase> {};

// After a comparison with differences, a cancelled Open keeps the listing;
// a cancelled second dialog no longer offers a script for the old pair.
TEST_P(DiffCancel, KeepsThePaneText) {
  CaseFolder folder;
  folder.Write("old.bin", kOld);
  folder.Write("new.bin", kNew);
  Steps steps = OpenSteps(folder.Win("old.bin"), folder.Win("new.bin"));
  Steps cancelled =
      GetParam().cancelFirst ? OpenSteps("cancel", "") : OpenSteps(folder.Win("new.bin"), "cancel");
  steps.insert(steps.end(), cancelled.begin(), cancelled.end());
  steps.insert(steps.end(), {"edit", "menu", "0"});
  DriverRun run = RunDiff(steps);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Text("edit.text"),
            Listing(folder.Win("old.bin"), folder.Win("new.bin"), kLines));
  EXPECT_EQ(MenuState(run.transcript, kCreateScript), GetParam().createScript);
  EXPECT_TRUE(run.transcript.Has("filedialog.cancelled"));
  EXPECT_FALSE(run.transcript.Has("msgbox.caption"));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DiffCancel,
                         ::testing::Values(CancelCase{"first", true, "enabled"},
                                           CancelCase{"second", false, "grayed"}),
                         [](const ::testing::TestParamInfo<CancelCase>& info) {
                           return info.param.name;
                         });

struct LoadFailureCase {
  const char* name;
  bool failFirst;
  bool nameOutsideCp932;  // the file is é.bin, not one held with writing denied
  const char* text;
};

void PrintTo(const LoadFailureCase& c, std::ostream* os) { *os << c.name; }

class DiffLoadFailure : public ::testing::TestWithParam<LoadFailureCase> {};

// A file another program holds with writing denied cannot be loaded; nor
// can one whose name has no code page 932 form (neither the listing nor a
// script could name it), not even as its look-alike e.bin.
TEST_P(DiffLoadFailure, ShowsThatFilesMessageAndKeepsRunning) {
  CaseFolder folder;
  folder.Write("old.bin", kOld);
  folder.Write("new.bin", kNew);
  folder.Write("held.bin", kOld);
  folder.Write(Utf8(u8"é.bin"), kOld);
  folder.Write("e.bin", kOld);
  const LoadFailureCase& c = GetParam();
  std::string failing = c.nameOutsideCp932 ? UnicodeWindowsPath(folder.File(Utf8(u8"é.bin")))
                                           : folder.Win("held.bin");
  Steps steps = {"hold", folder.Win("held.bin")};
  Steps open = c.failFirst ? OpenSteps(failing, "") : OpenSteps(folder.Win("old.bin"), failing);
  steps.insert(steps.end(), open.begin(), open.end());
  steps.insert(steps.end(), {"msgbox", "OK", "edit"});
  Steps again = OpenSteps(folder.Win("old.bin"), folder.Win("new.bin"));
  steps.insert(steps.end(), again.begin(), again.end());
  steps.insert(steps.end(), {"edit"});
  DriverRun run = RunDiff(steps);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Text("msgbox.text"), c.text) << run.output;
  EXPECT_EQ(run.transcript.Text("msgbox.caption"), "エラー");
  EXPECT_EQ(run.transcript.Word("msgbox.icon"), "error");
  EXPECT_EQ(run.transcript.Word("msgbox.buttons"), "OK");
  EXPECT_EQ(NthText(run.transcript, "edit.text", 0), InitialPaneText());
  EXPECT_EQ(NthText(run.transcript, "edit.text", 1),
            Listing(folder.Win("old.bin"), folder.Win("new.bin"), kLines));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DiffLoadFailure,
    ::testing::Values(
        LoadFailureCase{"first", true, false, "1つ目のファイルを読み込めません"},
        LoadFailureCase{"second", false, false, "2つ目のファイルを読み込めません"},
        LoadFailureCase{"first_outside_cp932", true, true, "1つ目のファイルを読み込めません"},
        LoadFailureCase{"second_outside_cp932", false, true, "2つ目のファイルを読み込めません"}),
    [](const ::testing::TestParamInfo<LoadFailureCase>& info) { return info.param.name; });

struct GivenCase {
  const char* name;
  bool commandLine;                             // else dropped on the window
  bool relative;                                // named relative to the folder qpxdiff starts in
  std::vector<std::vector<std::string>> files;  // each drop, or the command line's names
  std::string chosen;                           // the second file chosen in the Open dialog, or ""
  std::string pane;  // "list": the files given listed; "size": the size notice; "": unchanged
  const char* message;
};

void PrintTo(const GivenCase& c, std::ostream* os) { *os << c.name; }

class DiffGiven : public ::testing::TestWithParam<GivenCase> {
 protected:
  // old and kanji (表.bin) hold kOld, new kNew, eleven 11 bytes; accent
  // (é.bin) has no code page 932 form.
  void SetUp() override {
    for (const char* name : {"old", "kanji", "accent"}) folder.Write(File(name), kOld);
    folder.Write(File("new"), kNew);
    folder.Write(File("eleven"), std::string(11, 'a'));
  }
  static std::string File(const std::string& name) {
    if (name == "kanji") return Utf8(u8"表.bin");
    return name == "accent" ? Utf8(u8"é.bin") : name + ".bin";
  }
  // The file as given to qpxdiff, in UTF-8.
  std::string Given(const std::string& name) const {
    return GetParam().relative ? File(name) : Utf8WindowsPath(folder.File(File(name)));
  }
  Steps GivingSteps(std::string& tail, std::vector<std::string>& given) const {
    Steps steps;
    for (const auto& files : GetParam().files) {
      given.insert(given.end(), files.begin(), files.end());
      if (GetParam().commandLine) {
        for (const std::string& file : files) tail += "\"" + Given(file) + "\" ";
        continue;
      }
      steps.insert(steps.end(), {"drop", UnicodeWord(Given(files[0])),
                                 files.size() > 1 ? UnicodeWord(Given(files[1])) : ""});
    }
    if (!GetParam().chosen.empty()) {
      given.push_back(GetParam().chosen);
      steps.insert(steps.end(), {"filedialog", UnicodeWord(Given(GetParam().chosen))});
    }
    if (*GetParam().message != '\0') steps.insert(steps.end(), {"msgbox", "OK"});
    steps.insert(steps.end(), {"edit", "menu", "0"});
    return steps;
  }

  CaseFolder folder;
};

// Files dropped on the window or named on the command line take the road
// of the Open dialog's: the same listing, the same messages, and names
// without a code page 932 form refused.
TEST_P(DiffGiven, ListsThePairAsTheDialogsDo) {
  std::string tail;
  std::vector<std::string> given;
  Steps steps = GivingSteps(tail, given);
  DriverRun run = RunDiff(steps, GetParam().relative ? folder.Win() : "", UnicodeWord(tail));
  const Transcript& out = run.transcript;
  ASSERT_TRUE(run.Followed()) << run.output;
  std::string expected = GetParam().pane == "size" ? SizeMismatchText() : InitialPaneText();
  if (GetParam().pane == "list") {
    expected = Listing(folder.Win(File(given[0])), folder.Win(File(given[1])), kLines);
  }
  EXPECT_EQ(out.Text("edit.text"), expected) << run.output;
  EXPECT_EQ(MenuState(out, kCreateScript), GetParam().pane == "list" ? "enabled" : "grayed");
  EXPECT_EQ(out.Count("filedialog.title"), GetParam().chosen.empty() ? 0u : 1u);
  if (!GetParam().chosen.empty()) {
    EXPECT_EQ(out.Text("filedialog.title"), "変更元ファイルを開く");
  }
  EXPECT_EQ(out.Has("msgbox.text") ? out.Text("msgbox.text") : "", GetParam().message);
}

const char kFirstFailed[] = "1つ目のファイルを読み込めません";
const char kSecondFailed[] = "2つ目のファイルを読み込めません";

INSTANTIATE_TEST_SUITE_P(
    Files, DiffGiven,
    ::testing::Values(
        GivenCase{"drop_two", false, false, {{"old", "new"}}, "", "list", ""},
        GivenCase{"drop_one_then_another", false, false, {{"kanji"}, {"new"}}, "", "list", ""},
        GivenCase{"drop_other_size", false, false, {{"old"}, {"eleven"}}, "", "size", ""},
        GivenCase{"drop_outside_cp932", false, false, {{"old"}, {"accent"}}, "", "", kSecondFailed},
        GivenCase{"command_line_two", true, false, {{"old", "new"}}, "", "list", ""},
        GivenCase{"command_line_relative", true, true, {{"kanji", "new"}}, "", "list", ""},
        GivenCase{"command_line_one", true, false, {{"old"}}, "new", "list", ""},
        GivenCase{
            "command_line_outside_cp932", true, false, {{"accent", "new"}}, "", "", kFirstFailed}),
    [](const ::testing::TestParamInfo<GivenCase>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e::diff
