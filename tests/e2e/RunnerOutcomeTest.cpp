// qpxrun under Wine: what a run shows (nothing, or one message box with the
// exact text, caption and icon) and how it reads its command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CaseFolder.h"
#include "Runner.h"

namespace e2e {
namespace {

// 16 bytes; every run below may change them only as its script says.
const std::string kTarget = "0123456789ABCDEF";

TEST(RunnerOutcome, SuccessfulRunPatchesTheTargetAndShowsNothing) {
  CaseFolder folder;
  std::string original;
  for (int at = 0; at < 32; ++at) original += static_cast<char>(at);
  folder.Write("save.dat", original);
  folder.Write("fix.qpx",
               "Free text before the first directive is skipped.\r\n"
               "#path \"save.dat\"\r\n"
               "\t0000 = FF ;\n"
               "0004 = 01XX03 ;\r"
               "0010 to 0017 = AABB ;\r\n"
               "0018 =bit 1XXXXXX0 ;  0019 to 001A =bit XXXXXXX1 ;\r\n"
               "#end\r\n");
  struct stat before {};
  ASSERT_EQ(stat(folder.File("save.dat").c_str(), &before), 0);
  DriverRun run = RunRunner(folder.Win(), folder.Win("fix.qpx"));
  ExpectSilentRun(run);
  // Replaced by a new file, not written in place, and nothing left beside.
  struct stat after {};
  ASSERT_EQ(stat(folder.File("save.dat").c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            2);
  std::string expected = original;
  expected[0x00] = '\xFF';
  expected[0x04] = '\x01';
  expected[0x06] = '\x03';
  for (int at = 0x10; at <= 0x17; ++at) expected[at] = at % 2 == 0 ? '\xAA' : '\xBB';
  expected[0x18] = '\x98';
  expected[0x19] = '\x19';
  expected[0x1A] = '\x1B';
  EXPECT_EQ(folder.Read("save.dat"), expected);
}

TEST(RunnerOutcome, ScriptWithoutDirectiveShowsNothingAndChangesNothing) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "t.bin 0001 = FF ; nothing here is a directive\r\n");
  ExpectSilentRun(RunRunner(folder.Win(), folder.Win("a.qpx")));
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

struct FailureCase {
  const char* name;
  bool writeScript;
  std::string script;
  ExpectedMessage message;
};

class RunnerFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(RunnerFailure, ShowsItsMessageAndLeavesTheTarget) {
  const FailureCase& failure = GetParam();
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  if (failure.writeScript) folder.Write("a.qpx", failure.script);
  DriverRun run = RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx"));
  ExpectMessage(run, failure.message);
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RunnerFailure,
    ::testing::Values(
        FailureCase{"missing_script", false, "", LoadFailedMessage()},
        FailureCase{"blank_script", true, " \r\n\t \n", LoadFailedMessage()},
        FailureCase{"zero_first_byte", true,
                    std::string(1, '\0') + "#path \"t.bin\" 0000 = FF ; #end", LoadFailedMessage()},
        FailureCase{"missing_target", true, "#path \"nothing.bin\" 0000 = FF ; #end",
                    ReasonMessage(2)},
        FailureCase{"drive_without_folder", true, "#path \"C:t.bin\" 0000 = FF ; #end",
                    ReasonMessage(2)},
        // Not valid code page 932: a lead byte without its trail byte.
        FailureCase{"lone_lead_byte_at_the_end", true, "#path \"t.bin\x83\" 0000 = FF ; #end",
                    ReasonMessage(2)},
        FailureCase{"lead_byte_before_a_dot", true, "#path \"t\x83.bin\" 0000 = FF ; #end",
                    ReasonMessage(2)},
        FailureCase{"empty_registry_path", true, "#registry \"\" dword 01 ; #end",
                    ReasonMessage(2)},
        FailureCase{"value_joined_to_terminator", true, "#path \"t.bin\" 0000 = FF; #end",
                    ReasonMessage(3)},
        FailureCase{"odd_hex_address", true, "#path \"t.bin\" 001 = FF ; #end", ReasonMessage(3)},
        FailureCase{"store_past_the_end", true, "#path \"t.bin\" 0000 = 11 ; 000F = 1122 ; #end",
                    ReasonMessage(3)},
        FailureCase{"unknown_shape", true, "#path \"t.bin\" 0000 to = FF ; #end", ReasonMessage(3)},
        // Operands the classification lets through but no conversion takes:
        // the run ends with the script message, not with a crash.
        FailureCase{"address_wider_than_32_bits", true, "#path \"t.bin\" 0100000000 = FF ; #end",
                    ReasonMessage(3)},
        FailureCase{"lower_case_x_group", true, "#path \"t.bin\" 0000 = x5 ; #end",
                    ReasonMessage(3)},
        // A statement left unfinished at "#end" does not run into the next section.
        FailureCase{"unfinished_statement_at_end", true,
                    "#path \"t.bin\" 0000 = #end #path \"t.bin\" 11 ; #end", ReasonMessage(3)},
        FailureCase{"bits_past_the_end", true, "#path \"t.bin\" 000E to 0010 =bit 11111111 ; #end",
                    ReasonMessage(3)},
        FailureCase{"section_without_target", true, "#path #end", ReasonMessage(4)},
        FailureCase{"no_end_directive", true, "#path \"t.bin\" 0000 = FF ;", ReasonMessage(5)}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

struct TailCase {
  const char* name;
  const char* folder;  // UTF-8, holds the script
  std::string prefix;  // before the script's Windows path
  std::string suffix;  // after it
};

class RunnerCommandLine : public ::testing::TestWithParam<TailCase> {};

// Every double quote of the tail is dropped and spaces stay in the path.
TEST_P(RunnerCommandLine, RunsTheScriptNamedByTheWholeTail) {
  const TailCase& tail = GetParam();
  CaseFolder folder;
  std::string script = std::string(tail.folder) + "/a b.qpx";
  folder.Write(std::string(tail.folder) + "/t.bin", kTarget);
  folder.Write(script, "#path \"t.bin\" 0002 = EE ; #end");
  ExpectSilentRun(RunRunner(folder.Win(), tail.prefix + folder.Win(script) + tail.suffix));
  EXPECT_EQ(folder.Read(std::string(tail.folder) + "/t.bin"),
            "01\xEE"
            "3456789ABCDEF");
}

INSTANTIATE_TEST_SUITE_P(
    Tails, RunnerCommandLine,
    ::testing::Values(TailCase{"quoted_path_with_spaces", "with space", "\"", "\""},
                      TailCase{"quotes_anywhere", "x", "\"\"", "\"\"\""},
                      TailCase{"unquoted_path_with_spaces", "with space", "", ""}),
    [](const ::testing::TestParamInfo<TailCase>& info) { return info.param.name; });

TEST(RunnerOutcome, TwoPathsAreOnePathThatFailsToLoad) {
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = FF ; #end");
  std::string tail = folder.Win("a.qpx") + " " + folder.Win("a.qpx");
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), tail), LoadFailedMessage());
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

// The empty path is not the empty command line: no dialog, the load message.
TEST(RunnerOutcome, TailOfQuotesOnlyFailsToLoadWithoutDialog) {
  CaseFolder folder;
  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), "\"\""), LoadFailedMessage());
}

// A script that came from the internet (its Zone.Identifier stream; under
// Wine a file of that name beside it) asks first, listing the target by its
// full path and the registry value with its data: No writes nothing, Yes
// runs it. One from a restricted site is refused; any other zone runs as
// before, with no box.
struct ZoneCase {
  const char* name;
  int zone;
  std::string answer;  // the button pressed; empty: no box
  bool runs;
  std::string mark = "";  // the stream as written, when not the plain zone's
};

class RunnerZone : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(RunnerZone, AsksBeforeAScriptFromTheInternetChangesAnything) {
  const ZoneCase& c = GetParam();
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  const std::string key = std::string("HKEY_CURRENT_USER\\Software\\QpxE2e\\zone_") + c.name;
  std::string escapedKey;
  for (char byte : key) escapedKey += byte == '\\' ? std::string("\\\\") : std::string(1, byte);
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = 58 ; #end\r\n#registry \"" + escapedKey +
                            "\\\\V\" dword_dec 7 ; #end\r\n");
  folder.Write(
      "a.qpx:Zone.Identifier",
      c.mark.empty() ? "[ZoneTransfer]\r\nZoneId=" + std::to_string(c.zone) + "\r\n" : c.mark);
  std::vector<std::string> words = {"launch", RunnerExe(), folder.Win(), folder.Win("a.qpx")};
  if (!c.answer.empty()) words.insert(words.end(), {"msgbox", c.answer});
  words.insert(words.end(), {"exit", "regvalue", key, "V"});
  DriverRun run = RunDriver(words);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(folder.Read("t.bin")[0], c.runs ? 'X' : '0');
  EXPECT_EQ(run.transcript.Word("regvalue"), c.runs ? "4" : "missing") << run.output;
  if (c.answer == "OK") {
    EXPECT_EQ(run.transcript.Word("msgbox.icon"), "error") << run.output;
  } else if (!c.answer.empty()) {
    const std::string text = run.transcript.Text("msgbox.text");
    EXPECT_NE(text.find(folder.Win("t.bin")), std::string::npos) << run.output;
    EXPECT_NE(text.find(key + "\\V = REG_DWORD 7"), std::string::npos) << run.output;
    EXPECT_EQ(run.transcript.Word("msgbox.icon"), "exclamation") << run.output;
    EXPECT_EQ(run.transcript.All("msgbox.buttons"),
              (std::vector<std::vector<std::string>>{{"msgbox.buttons", "Yes", "No"}}))
        << run.output;
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, RunnerZone,
                         ::testing::Values(ZoneCase{"internet_no", 3, "No", false},
                                           ZoneCase{"internet_yes", 3, "Yes", true},
                                           ZoneCase{"restricted", 4, "OK", false},
                                           ZoneCase{"trusted_site", 2, "", true},
                                           // As older Chromium wrote it, and without
                                           // its header: the internet's all the same.
                                           ZoneCase{"ending_in_nul", 3, "No", false,
                                                    std::string("[ZoneTransfer]\nZoneId=3\0", 24)},
                                           ZoneCase{"no_header", 3, "No", false, "ZoneId=0\r\n"}),
                         [](const ::testing::TestParamInfo<ZoneCase>& info) {
                           return info.param.name;
                         });

// A downloaded script's question shows every registry value whole, also a
// Run key after twenty sections or after a dialog's bit statement (then in
// a message box), and twenty-one values (in the box that scrolls); No
// writes nothing.
struct RunKeyCase {
  const char* name;
  std::string sections;  // before the Run key's section
  int values;            // Run values written, one section each
};

class RunnerRunKey : public ::testing::TestWithParam<RunKeyCase> {};

TEST_P(RunnerRunKey, QuestionShowsTheRunValueAndNoWritesNothing) {
  const RunKeyCase& c = GetParam();
  CaseFolder folder;
  folder.Write("t.bin", kTarget);
  const std::string run = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  std::string script = c.sections;
  for (int at = 0; at < c.values; ++at) {
    std::string escaped;
    for (char byte : run) escaped += byte == '\\' ? std::string("\\\\") : std::string(1, byte);
    script += "#registry \"" + escaped + "\\\\Qpx_" + c.name + std::to_string(at) +
              "\" string \"C:\\\\u.exe\" ; #end\r\n";
  }
  folder.Write("a.qpx", script);
  folder.Write("a.qpx:Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n");
  const std::string last = "Qpx_" + std::string(c.name) + std::to_string(c.values - 1);
  DriverRun driven = RunDriver({"launch", RunnerExe(), folder.Win(), folder.Win("a.qpx"), "msgbox",
                                "No", "exit", "regvalue", run, last});
  ASSERT_TRUE(driven.Followed()) << driven.output;
  const std::string text = driven.transcript.Text("msgbox.text");
  for (int at = 0; at < c.values; ++at) {
    EXPECT_NE(text.find(run + "\\Qpx_" + c.name + std::to_string(at) + " = REG_SZ \"C:\\u.exe\""),
              std::string::npos)
        << driven.output;
  }
  EXPECT_EQ(driven.transcript.Word("msgbox.icon"), "exclamation") << driven.output;
  EXPECT_EQ(driven.transcript.All("msgbox.buttons"),
            (std::vector<std::vector<std::string>>{{"msgbox.buttons", "Yes", "No"}}))
      << driven.output;
  EXPECT_EQ(driven.transcript.Word("regvalue"), "missing") << driven.output;
  EXPECT_EQ(folder.Read("t.bin"), kTarget);
}

std::string TwentySections() {
  std::string text;
  for (int at = 0; at < 20; ++at) text += "#path \"t.bin\" 0000 = 30 ; #end\r\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, RunnerRunKey,
    ::testing::Values(RunKeyCase{"after_twenty_sections", TwentySections(), 1},
                      RunKeyCase{"after_a_dialog",
                                 "#path dialog \"T|t.bin|D|*.bin|\" 0000 =bit 1XXXXXXX ; #end\r\n",
                                 1},
                      RunKeyCase{"twenty_one", "", 21}),
    [](const ::testing::TestParamInfo<RunKeyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e
