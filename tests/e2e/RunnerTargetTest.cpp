// qpxrun under Wine: where a target is found, what stays saved when a later
// section fails, and a target that cannot be opened for writing.
#include <gtest/gtest.h>

#include <filesystem>

#include "CaseFolder.h"
#include "Runner.h"

namespace e2e {
namespace {

const std::string kTarget = "0123456789ABCDEF";
const std::string kPatched = "X123456789ABCDEF";  // after "0000 = 58 ;"

struct PlaceCase {
  const char* name;
  std::string script;     // UTF-8 path in the case folder
  std::string target;     // the #path argument, code page 932, quoted
  bool relativeTail;      // the tail names the script relative to the current folder
  std::string cwd;        // UTF-8 folder the program starts in
  std::string patched;    // the file that must be patched
  std::string untouched;  // a file of the same name elsewhere that must stay
};

class RunnerTargetPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(RunnerTargetPlace, PatchesTheFileBesideTheScript) {
  const PlaceCase& place = GetParam();
  CaseFolder folder;
  folder.Write(place.patched, kTarget);
  folder.Write(place.untouched, kTarget);
  folder.Write(place.script, "#path \"" + place.target + "\" 0000 = 58 ; #end");
  folder.Write(place.cwd + "/keep", "");
  const std::string& script = place.script;
  std::string tail = place.relativeTail ? Cp932FromUtf8(script.substr(script.rfind('/') + 1))
                                        : folder.Win(place.script);
  ExpectSilentRun(RunRunner(folder.Win(place.cwd), tail));
  EXPECT_EQ(folder.Read(place.patched), kPatched);
  EXPECT_EQ(folder.Read(place.untouched), kTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Places, RunnerTargetPlace,
    ::testing::Values(PlaceCase{"relative_target", "scripts/a.qpx", "t.bin", false, "elsewhere",
                                "scripts/t.bin", "elsewhere/t.bin"},
                      PlaceCase{"relative_folder_dropped", "scripts/a.qpx", "sub\\\\t.bin", false,
                                "elsewhere", "scripts/t.bin", "scripts/sub/t.bin"},
                      PlaceCase{"leading_backslash_dropped", "scripts/a.qpx", "\\\\t.bin", false,
                                "elsewhere", "scripts/t.bin", "t.bin"},
                      PlaceCase{"relative_script_uses_current_folder", "here/a.qpx", "t.bin", true,
                                "here", "here/t.bin", "t.bin"},
                      // 表 is 95 5C in code page 932: its second byte is no folder separator.
                      PlaceCase{"double_byte_folder", Utf8(u8"表示/a.qpx"), "表.bin", false,
                                "elsewhere", Utf8(u8"表示/表.bin"), Utf8(u8"elsewhere/表.bin")}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

// A script in a folder whose name has no code page 932 form (double-clicked
// in a user's folder named José, say) runs from within that folder, where
// its relative targets are; one whose own name has none cannot be read.
TEST(RunnerTarget, ScriptInAFolderOutsideCp932FindsItsTargetsThere) {
  CaseFolder folder;
  const std::string jose = Utf8(u8"josé/");
  folder.Write(jose + "t.bin", kTarget);
  folder.Write(jose + "a.qpx", "#path \"t.bin\" 0000 = 58 ; #end");
  folder.Write(jose + Utf8(u8"é.qpx"), "#path \"t.bin\" 0001 = 58 ; #end");
  ExpectSilentRun(RunRunner(folder.Win(), UnicodeWindowsPath(folder.File(jose + "a.qpx"))));
  EXPECT_EQ(folder.Read(jose + "t.bin"), kPatched);
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(),
                                          UnicodeWindowsPath(folder.File(jose + Utf8(u8"é.qpx")))),
                LoadFailedMessage());
  EXPECT_EQ(folder.Read(jose + "t.bin"), kPatched);
}

TEST(RunnerTarget, FailureInSecondSectionKeepsTheFirstSaved) {
  CaseFolder folder;
  folder.Write("first.bin", kTarget);
  folder.Write("second.bin", kTarget);
  folder.Write("a.qpx",
               "#path \"first.bin\" 0000 = 58 ; #end\r\n"
               "#path \"second.bin\" 0000 = 58 ; 0001 = 1 ; #end\r\n");
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx")), ReasonMessage(3));
  EXPECT_EQ(folder.Read("first.bin"), kPatched);
  EXPECT_EQ(folder.Read("second.bin"), kTarget);
}

// A section whose target never came still holds the earlier target's bytes:
// they are never written, under any name.
TEST(RunnerTarget, SectionWithoutTargetNeverRewritesTheEarlierTarget) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = 58 ; #end\r\n#path 0001 = 59 ; #end\r\n");
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx")), ReasonMessage(4));
  EXPECT_EQ(folder.Read("t.bin"), kPatched);
}

// The save puts a new file in the target's place: the target keeps its
// hidden and system attributes, and its creation time where the system
// lets a file's creation time be set (Wine on Linux ignores it, so that
// part is checked on Windows only); no other file is left in the folder.
TEST(RunnerTarget, SaveKeepsTheTargetsAttributesAndCreationTime) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = 58 ; #end");
  const std::string created = "01D2345600000000";
  DriverRun run = RunDriver({"setfileinfo", folder.Win("t.bin"), "00000026", created, "fileinfo",
                             folder.Win("t.bin"), "launch", RunnerExe(), folder.Win(),
                             folder.Win("a.qpx"), "exit", "fileinfo", folder.Win("t.bin")});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(folder.Read("t.bin"), kPatched);
  const Transcript& out = run.transcript;
  EXPECT_EQ(out.All("fileinfo.attributes"),
            (std::vector<std::vector<std::string>>{{"fileinfo.attributes", "00000026"},
                                                   {"fileinfo.attributes", "00000026"}}))
      << run.output;
  if (out.Word("fileinfo.created") == created) {
    EXPECT_EQ(out.All("fileinfo.created").back().back(), created) << run.output;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

// Root ignores the read-only attribute, so the driver holds the target open
// for reading with writing denied while the program runs.
TEST(RunnerTarget, TargetHeldOpenWithWritingDeniedFailsToOpen) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = 58 ; #end");
  ExpectMessage(
      RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx"), {}, folder.Win("t.bin")),
      ReasonMessage(2));
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

}  // namespace
}  // namespace e2e
