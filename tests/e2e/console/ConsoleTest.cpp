// qpx.exe under Wine: its exit status, the registry values it writes, no
// dialog on any path, and scripts identical to qpxdiff.exe's.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "CaseFolder.h"
#include "Driver.h"
#include "qpxdiff/DiffSession.h"

namespace e2e {
namespace {

std::string ConsoleExe() { return WindowsPath(QPX_E2E_CONSOLE_EXE); }

// Starts qpx.exe in the case folder with the command-line tail and waits
// for its end; the driver fails the plan if a dialog or message box shows.
DriverRun RunQpx(const CaseFolder& folder, const std::string& tail,
                 const std::vector<std::string>& after = {}) {
  std::vector<std::string> words = {"launch", ConsoleExe(), folder.Win(), tail, "exit"};
  words.insert(words.end(), after.begin(), after.end());
  return RunDriver(words);
}

TEST(ConsoleUnderWine, RunWritesRegistryValuesAndPatchesTheTarget) {
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write("s.qpx",
               "#path \"t.bin\"\r\n0001 = FF ;\r\n#end\r\n"
               "#registry \"HKEY_CURRENT_USER\\\\Software\\\\QpxConsole\\\\Mode\"\r\n"
               "dword_dec 100 ;\r\n#end\r\n");
  DriverRun run =
      RunQpx(folder, "run s.qpx", {"regvalue", "HKEY_CURRENT_USER\\Software\\QpxConsole", "Mode"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0") << run.output;
  EXPECT_EQ(run.transcript.Word("regvalue"), "4") << run.output;
  EXPECT_EQ(run.transcript.Word("regvalue", 2), "64000000") << run.output;
  EXPECT_EQ(folder.Read("t.bin"),
            "0\xFF"
            "23");
}

TEST(ConsoleUnderWine, CheckWritesNeitherTheRegistryNorTheTarget) {
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write(
      "s.qpx",
      "#path \"t.bin\" 0001 = FF ; #end "
      "#registry \"HKEY_CURRENT_USER\\\\Software\\\\QpxConsoleCheck\\\\V\" dword 01 ; #end");
  DriverRun run = RunQpx(folder, "check s.qpx",
                         {"regvalue", "HKEY_CURRENT_USER\\Software\\QpxConsoleCheck", "V"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0") << run.output;
  EXPECT_EQ(run.transcript.Word("regvalue"), "missing") << run.output;
  EXPECT_EQ(folder.Read("t.bin"), "0123");
}

// diff names the compared file by its full path with its drive: qpxrun,
// started in another folder, patches exactly it, and the files of the
// same name beside the script and where qpxrun starts stay as they are.
// An output that is a compared file, however spelt, is refused (26).
TEST(ConsoleUnderWine, DiffScriptFindsTheComparedFileFromAnyFolder) {
  CaseFolder folder;
  folder.Write("data/a.bin", "0123");
  folder.Write("data/b.bin", "0X23");
  for (const char* decoy : {"scripts/a.bin", "run/a.bin"}) folder.Write(decoy, "0123");
  DriverRun diff = RunQpx(folder, "diff data\\a.bin data\\b.bin -o scripts\\s.qpx");
  ASSERT_TRUE(diff.Followed()) << diff.output;
  ASSERT_EQ(diff.transcript.Word("exit"), "0") << diff.output;
  DriverRun run =
      RunDriver({"launch", RunnerExe(), folder.Win("run"), "..\\scripts\\s.qpx", "exit"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(folder.Read("data/a.bin"), "0X23");
  for (const char* decoy : {"scripts/a.bin", "run/a.bin"}) EXPECT_EQ(folder.Read(decoy), "0123");

  DriverRun onto = RunQpx(folder, "diff data\\b.bin scripts\\a.bin -o DATA\\B.BIN");
  ASSERT_TRUE(onto.Followed()) << onto.output;
  EXPECT_EQ(onto.transcript.Word("exit"), "26") << onto.output;
  EXPECT_EQ(folder.Read("data/b.bin"), "0X23");
}

// A script from the internet (its Zone.Identifier stream) is not run
// without a terminal to ask, unless --trust (28); one from a restricted
// site never is, and check ends as run would.
TEST(ConsoleUnderWine, DownloadedScriptRunsOnlyWithTrust) {
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write("s.qpx", "#path \"t.bin\" 0000 = 41 ; #end");
  folder.Write("r.qpx", "#path \"t.bin\" 0001 = 41 ; #end");
  folder.Write("s.qpx:Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n");
  folder.Write("r.qpx:Zone.Identifier", "[ZoneTransfer]\r\nZoneId=4\r\n");
  for (const auto& [tail, status, bytes] :
       {std::tuple<std::string, std::string, std::string>{"run s.qpx", "28", "0123"},
        {"run --trust r.qpx", "28", "0123"},
        {"check r.qpx", "28", "0123"},
        {"run s.qpx --trust", "0", "A123"}}) {
    DriverRun run = RunQpx(folder, tail);
    ASSERT_TRUE(run.Followed()) << run.output;
    EXPECT_EQ(run.transcript.Word("exit"), status) << tail << "\n" << run.output;
    EXPECT_EQ(folder.Read("t.bin"), bytes) << tail;
  }
}

// A "#path dialog" section never opens a dialog: --target answers it, and
// without it (no terminal to ask) the run is cancelled with status 16.
TEST(ConsoleUnderWine, DialogSectionsShowNoDialog) {
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write("s.qpx", "#path dialog \"T|t.bin|D|*.bin|\" 0000 = 41 ; #end");
  DriverRun cancelled = RunQpx(folder, "run s.qpx");
  ASSERT_TRUE(cancelled.Followed()) << cancelled.output;
  EXPECT_EQ(cancelled.transcript.Word("exit"), "16") << cancelled.output;
  EXPECT_EQ(folder.Read("t.bin"), "0123");
  DriverRun answered = RunQpx(folder, "run s.qpx --target " + folder.Win("t.bin"));
  ASSERT_TRUE(answered.Followed()) << answered.output;
  EXPECT_EQ(answered.transcript.Word("exit"), "0") << answered.output;
  EXPECT_EQ(folder.Read("t.bin"), "A123");
}

// Arguments come from the wide command line: a script in a folder whose
// name has no code page 932 form runs from within it; a file whose own
// name has none cannot be read, and is not taken for its look-alike.
TEST(ConsoleUnderWine, NamesOutsideCp932) {
  CaseFolder folder;
  const std::string jose = Utf8(u8"josé/");
  folder.Write(jose + "t.bin", "0123");
  folder.Write(jose + "s.qpx", "#path \"t.bin\" 0001 = FF ; #end");
  folder.Write(Utf8(u8"é.bin"), "0123");
  folder.Write("e.bin", "0123");
  folder.Write("b.bin", "0124");
  DriverRun run =
      RunQpx(folder, UnicodeWord("run " + Utf8WindowsPath(folder.File(jose + "s.qpx"))));
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0");
  EXPECT_EQ(folder.Read(jose + "t.bin"), std::string("0\xFF") + "23");
  DriverRun list = RunQpx(folder, UnicodeWord(Utf8(u8"list é.bin b.bin")));
  ASSERT_TRUE(list.Followed()) << list.output;
  EXPECT_EQ(list.transcript.Word("exit"), "20");
}

TEST(ConsoleUnderWine, FailuresEndWithTheirStatusAndNoMessageBox) {
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write("bad.qpx", "#path \"t.bin\"\r\n0010 = FF ;\r\n#end\r\n");
  DriverRun run = RunQpx(folder, "run bad.qpx");
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "13") << run.output;
  DriverRun usage = RunQpx(folder, "frob");
  ASSERT_TRUE(usage.Followed()) << usage.output;
  EXPECT_EQ(usage.transcript.Word("exit"), "2") << usage.output;
}

struct LanguageCase {
  const char* name;
  std::string tail;
  std::string english;   // a part of what qpx.exe prints, in the Western locale
  std::string japanese;  // in the Japanese one (CP932, as printed to a file)
};

class ConsoleLanguageUnderWine : public testing::TestWithParam<LanguageCase> {};

// qpx.exe speaks the user's UI language: Japanese where Wine runs in the
// Japanese locale (code page 932), English in the Western one (1252);
// --lang overrides either.
TEST_P(ConsoleLanguageUnderWine, MessagesAreInTheUsersLanguage) {
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write("long.bin", "01234");
  DriverRun run = RunDriver(
      {"launchout", ConsoleExe(), folder.Win(), GetParam().tail, folder.Win("out.txt"), "exit"});
  ASSERT_TRUE(run.Followed()) << run.output;
  const std::string& expected = WineCodePage() == 932 ? GetParam().japanese : GetParam().english;
  EXPECT_NE(folder.Read("out.txt").find(expected), std::string::npos) << folder.Read("out.txt");
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ConsoleLanguageUnderWine,
    testing::Values(
        LanguageCase{"Reason", "run none.qpx", "none.qpx: the script could not be read",
                     "none.qpx: スクリプトの読み込みに失敗しました"},
        LanguageCase{"FileMessage", "list none.bin t.bin",
                     "none.bin: the first file cannot be read",
                     "none.bin: 1つ目のファイルを読み込めません"},
        LanguageCase{"Usage", "frob", "unknown command frob", "frob というコマンドはありません"},
        LanguageCase{"LangJa", "--lang ja run none.qpx", "スクリプトの読み込みに失敗しました",
                     "スクリプトの読み込みに失敗しました"},
        LanguageCase{"LangEn", "run none.qpx --lang en", "the script could not be read",
                     "the script could not be read"},
        LanguageCase{"SizesDiffer", "list t.bin long.bin",
                     "qpx: the first and the second file differ in size",
                     "qpx: 1つ目のファイルと2つ目のファイルのサイズが違います。"},
        LanguageCase{"NoDifferences", "diff t.bin t.bin", "qpx: the files do not differ",
                     "qpx: 差異はありません。"},
        LanguageCase{"RunFromStandardInput", "run -",
                     "qpx: run reads no script from standard input",
                     "qpx: run は標準入力からスクリプトを読みません"},
        LanguageCase{"Version", "--version",
                     "\nCopyright (C) 2026 The Quopra authors\nLicense MIT: ",
                     "\nCopyright (C) 2026 The Quopra authors\nLicense MIT: "}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

struct DirectionCase {
  const char* name;
  const char* answer;  // to qpxdiff's question
  const char* option;  // of qpx diff
};

class ConsoleDiffUnderWine : public testing::TestWithParam<DirectionCase> {};

// The same pair, once through qpxdiff.exe's menu and Save dialog and once
// through qpx.exe diff: the two files hold the same bytes.
TEST_P(ConsoleDiffUnderWine, WritesTheBytesQpxdiffWrites) {
  CaseFolder folder;
  std::string first(300, 'a');
  std::string second = first;
  second[0] = '\x00';
  second[0x5C] = '\\';
  second[0x12B] = '\xFF';
  const std::string firstName = Utf8(u8"元 ファイル.bin");
  folder.Write(firstName, first);
  folder.Write("second.bin", second);
  diff::Steps steps = diff::OpenSteps(folder.Win(firstName), folder.Win("second.bin"));
  diff::Steps create = diff::CreateScriptSteps(GetParam().answer, folder.Win("gui.qpx"));
  steps.insert(steps.end(), create.begin(), create.end());
  DriverRun gui = diff::RunDiff(steps);
  ASSERT_TRUE(gui.Followed()) << gui.output;
  ASSERT_TRUE(folder.Exists("gui.qpx"));
  DriverRun console =
      RunQpx(folder, "diff \"" + folder.Win(firstName) + "\" \"" + folder.Win("second.bin") +
                         "\" -o console.qpx " + GetParam().option);
  ASSERT_TRUE(console.Followed()) << console.output;
  EXPECT_EQ(console.transcript.Word("exit"), "0") << console.output;
  EXPECT_EQ(folder.Read("console.qpx"), folder.Read("gui.qpx"));
}

INSTANTIATE_TEST_SUITE_P(Directions, ConsoleDiffUnderWine,
                         testing::Values(DirectionCase{"Forward", "Yes", ""},
                                         DirectionCase{"Reverse", "No", "--reverse"}),
                         [](const testing::TestParamInfo<DirectionCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace e2e
