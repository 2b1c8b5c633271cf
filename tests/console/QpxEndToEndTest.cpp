// The built qpx program run on real files: what it writes, prints and
// answers with.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestFiles.h"

extern char** environ;

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

// UTF-8 text, as qpx prints Japanese text on Linux.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Every byte of a literal, zero bytes included.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The environment of qpx: this one without its locale variables, and LANG
// as given (a C locale by default, whose names are UTF-8 and whose
// messages English; Japanese in a ja_JP locale, installed or not).
std::vector<std::string> LocaleEnvironment(const std::string& lang) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    if (text.rfind("LC_", 0) != 0 && text.rfind("LANG", 0) != 0) entries.push_back(text);
  }
  entries.push_back("LANG=" + lang);
  return entries;
}

// qpx's command line with the arguments (behind the emulator where the
// program needs one).
std::vector<std::string> QpxLine(const std::vector<std::string>& arguments) {
  std::vector<std::string> line = {QPX_PROGRAM};
  if (*QPX_PROGRAM_EMULATOR != '\0') line.insert(line.begin(), QPX_PROGRAM_EMULATOR);
  line.insert(line.end(), arguments.begin(), arguments.end());
  return line;
}

// The texts as the null-ended list that exec and spawn take.
std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts qpx in folder (or its subfolder `in`) with the arguments, standard
// input empty (or the file `input` of folder), and standard output and
// error caught in files of folder; its process, or -1.
pid_t StartQpx(const TempFolder& folder, const std::vector<std::string>& arguments,
               const std::string& lang = "C.UTF-8", const std::string& in = "",
               const std::string& input = "") {
  std::string outPath = folder.File(".out");
  std::string errPath = folder.File(".err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string inputPath = input.empty() ? "/dev/null" : folder.File(input);
  posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  const std::string cwd = in.empty() ? folder.Path() : folder.File(in);
  posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  std::vector<std::string> line = QpxLine(arguments);
  std::vector<char*> argv = Pointers(line);
  pid_t child = -1;
  std::vector<std::string> variables = LocaleEnvironment(lang);
  std::vector<char*> environment = Pointers(variables);
  if (posix_spawn(&child, line[0].c_str(), &actions, nullptr, argv.data(), environment.data()) !=
      0) {
    child = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

// Runs qpx and waits for its end.
Result RunQpx(const TempFolder& folder, const std::vector<std::string>& arguments,
              const std::string& lang = "C.UTF-8", const std::string& in = "",
              const std::string& input = "") {
  Result result;
  pid_t child = StartQpx(folder, arguments, lang, in, input);
  if (child > 0) {
    int wait = 0;
    waitpid(child, &wait, 0);
    result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  }
  result.out = ReadFileBytes(folder.File(".out"));
  result.err = ReadFileBytes(folder.File(".err"));
  return result;
}

// Runs qpx in folder on a terminal of its own, typing early at once and
// answer once the terminal shows the question ("[y/N]"), and collects
// what the terminal showed; with errToLog, its standard error goes to the
// file .err instead, as 2>.err would send it.
Result RunQpxOnTerminal(const TempFolder& folder, const std::vector<std::string>& arguments,
                        const std::string& early, const std::string& answer,
                        bool errToLog = false) {
  std::vector<std::string> line = QpxLine(arguments);
  std::vector<char*> argv = Pointers(line);
  std::vector<std::string> variables = LocaleEnvironment("C.UTF-8");
  std::vector<char*> environment = Pointers(variables);
  int terminal = -1;
  pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    int log = errToLog ? open(folder.File(".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : 2;
    if (log < 0 || dup2(log, 2) < 0) _exit(126);
    if (chdir(folder.Path().c_str()) == 0) execve(argv[0], argv.data(), environment.data());
    _exit(127);
  }
  Result result;
  if (child < 0) return result;
  if (write(terminal, early.data(), early.size()) < 0) result.err = "not typed";
  bool answered = false;
  char buffer[4096];
  for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;) {
    result.err.append(buffer, static_cast<size_t>(got));
    if (!answered && result.err.find("[y/N]") != std::string::npos) {
      answered = true;
      if (write(terminal, answer.data(), answer.size()) < 0) result.err += "not answered";
    }
  }
  close(terminal);
  int wait = 0;
  waitpid(child, &wait, 0);
  result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  return result;
}

double Seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

constexpr char kTarget[] = "0123456789ABCDEF";  // t.bin, 16 bytes

struct StatusCase {
  const char* name;
  std::string script;  // written as s.qpx, unless empty
  std::vector<std::string> arguments;
  int status;
  std::string err;            // a part of standard error, under LANG=C.UTF-8
  std::string japanese = "";  // and under LANG=ja_JP.UTF-8, where given
};

class QpxStatus : public testing::TestWithParam<StatusCase> {};

TEST_P(QpxStatus, EndsWithTheStatusOfItsOutcomeAndSaysWhereInTheUsersLanguage) {
  const StatusCase& c = GetParam();
  for (const char* lang : {"C.UTF-8", "ja_JP.UTF-8"}) {
    const std::string& expected = lang[0] == 'C' ? c.err : c.japanese;
    if (lang[0] != 'C' && expected.empty()) continue;
    TempFolder folder;
    folder.Write("t.bin", kTarget);
    folder.Write("u.bin", "0123456789ABCDEX");
    folder.Write("long.bin", "0123456789ABCDEFG");
    if (!c.script.empty()) folder.Write("s.qpx", c.script);
    Result result = RunQpx(folder, c.arguments, lang);
    EXPECT_EQ(result.status, c.status) << lang << ": " << result.err;
    EXPECT_TRUE(Contains(result.err, expected)) << lang << ": " << result.err;
  }
}

const std::string kPathT = "#path \"t.bin\"\n";
const std::string kDialogT = "#path dialog \"T|t.bin|D|*.bin|\" 0000 = FF ; #end";
const std::string kSizesDiffer =
    "qpx: the first and the second file differ in size: no script can be written\n";
const std::string kSizesDifferJa =
    "qpx: " + Utf8(
                  u8"1つ目のファイルと2つ目のファイルのサイズが違います。"
                  u8"スクリプトファイルは書き出せません。\n");

INSTANTIATE_TEST_SUITE_P(
    Outcomes, QpxStatus,
    testing::Values(
        StatusCase{"RunSucceeds", kPathT + "0000 = FF ;\n#end\n", {"run", "s.qpx"}, 0, ""},
        StatusCase{"ScriptMissing",
                   "",
                   {"run", "none.qpx"},
                   3,
                   "none.qpx: the script could not be read",
                   "none.qpx: " + Utf8(u8"スクリプトの読み込みに失敗しました")},
        StatusCase{
            "TargetMissing",
            "x\r\n#path \"none.bin\"\r\n#end\r\n",
            {"run", "s.qpx"},
            12,
            "the target file could not be opened\nqpx: s.qpx:2: unit 3: \"none.bin\"\n",
            Utf8(u8"操作するファイルが開けませんでした\nqpx: s.qpx:2: ユニット 3: \"none.bin\"\n")},
        StatusCase{"ScriptErrorGivesLineAndUnit",
                   kPathT + "0000 = FF ;\r01A3 = 1 ;\n#end\n",
                   {"run", "s.qpx"},
                   13,
                   "the script has a problem\nqpx: s.qpx:3: unit 9: 1\n",
                   Utf8(u8"スクリプトに問題があります\nqpx: s.qpx:3: ユニット 9: 1\n")},
        // Statements of qpxdiff's form are read in one go: the one whose
        // byte falls past the end is still blamed at its ";".
        StatusCase{"StorePastTheEndGivesItsTerminator",
                   kPathT + "0000 = FF ;\r\n0001 = EE ;\r\n0010 = 11 ;\r\n#end\r\n",
                   {"run", "s.qpx"},
                   13,
                   "the script has a problem\nqpx: s.qpx:4: unit 14: ;\n"},
        StatusCase{"SectionWithoutTarget",
                   "#path 0000 = XX ; #end",
                   {"run", "s.qpx"},
                   14,
                   "the data could not be saved to the target file\nqpx: s.qpx:1: unit 6: #end\n",
                   Utf8(u8"操作中のデータをファイルに保存できませんでした")},
        StatusCase{"NoEndBlamesTheDirective",
                   "\n\n" + kPathT + "0000 = FF ;\n",
                   {"run", "s.qpx"},
                   15,
                   "no #end, so nothing was saved\nqpx: s.qpx:3: unit 1: #path\n",
                   Utf8(u8"終了ディレクティブがないため、保存しませんでした")},
        StatusCase{"DialogWithoutTarget",
                   "#path dialog \"T|t.bin|D|*.bin|\" 0000 = FF ; #end",
                   {"run", "s.qpx"},
                   16,
                   "qpx: cancelled\n",
                   Utf8(u8"処理をキャンセルしました")},
        StatusCase{"DialogAnsweredByTarget",
                   "#path dialog \"T|t.bin|D|*.bin|\" 0000 = FF ; #end",
                   {"run", "s.qpx", "--target", "t.bin"},
                   0,
                   ""},
        // An empty target names no file, for check as for run.
        StatusCase{"EmptyTargetCheckedAsRun",
                   "#path dialog \"T|t.bin|D|*.bin|\" 0000 = FF ; #end",
                   {"check", "s.qpx", "--target", ""},
                   12,
                   ""},
        StatusCase{"NoRegistry",
                   "#registry \"HKEY_CURRENT_USER\\\\S\\\\V\"\ndword_dec 5 ;\n#end",
                   {"run", "s.qpx"},
                   18,
                   "no registry on this system\nqpx: s.qpx:2: unit 5: ;\n",
                   Utf8(u8"このシステムにはレジストリがありません")},
        StatusCase{"CheckPredictsNoRegistry",
                   "#registry \"HKEY_CURRENT_USER\\\\S\\\\V\" dword_dec 5 ; #end",
                   {"check", "s.qpx"},
                   18,
                   "no registry on this system"},
        StatusCase{"CheckPredictsAFailure",
                   kPathT + "0010 = FF ;\n#end\n",
                   {"check", "s.qpx"},
                   13,
                   "s.qpx:2:"},
        StatusCase{"NoCommand", "", {}, 2, "usage:", Utf8(u8"使い方:")},
        StatusCase{"UnknownCommand",
                   "",
                   {"apply", "s.qpx"},
                   2,
                   "unknown command apply",
                   Utf8(u8"apply というコマンドはありません")},
        StatusCase{"LangOptionOverridesTheLocale",
                   "",
                   {"run", "none.qpx", "--lang", "ja"},
                   3,
                   Utf8(u8"スクリプトの読み込みに失敗しました")},
        StatusCase{"LangOptionBeforeTheCommand",
                   "",
                   {"--lang=en", "run", "none.qpx"},
                   3,
                   "the script could not be read",
                   "the script could not be read"},
        StatusCase{"LangOfNoKnownLanguage", "", {"--lang", "fr", "--help"}, 2, "ja or en, not fr"},
        StatusCase{"MissingOperand", "", {"diff", "t.bin"}, 2, "usage: qpx diff"},
        StatusCase{"UnknownOption", "", {"list", "t.bin", "u.bin", "-x"}, 2, "unknown option -x"},
        StatusCase{"Help", "", {"--help"}, 0, ""}, StatusCase{"Version", "", {"--version"}, 0, ""},
        StatusCase{"FirstUnreadable",
                   "",
                   {"diff", "none.bin", "t.bin"},
                   20,
                   "none.bin: the first file cannot be read",
                   "none.bin: " + Utf8(u8"1つ目のファイルを読み込めません")},
        StatusCase{"SecondUnreadable",
                   "",
                   {"list", "t.bin", "none.bin"},
                   21,
                   "none.bin: the second file cannot be read",
                   "none.bin: " + Utf8(u8"2つ目のファイルを読み込めません")},
        // Every failure is said on standard error, after "qpx: ".
        StatusCase{
            "SizesDiffer", "", {"diff", "t.bin", "long.bin"}, 22, kSizesDiffer, kSizesDifferJa},
        StatusCase{"ListedSizesDiffer",
                   "",
                   {"list", "t.bin", "long.bin"},
                   22,
                   kSizesDiffer,
                   kSizesDifferJa},
        StatusCase{"RawListedSizesDiffer",
                   "",
                   {"list", "--raw", "t.bin", "long.bin"},
                   22,
                   kSizesDiffer,
                   kSizesDifferJa},
        StatusCase{"NoDifferences",
                   "",
                   {"diff", "t.bin", "t.bin"},
                   23,
                   "qpx: the files do not differ\n",
                   "qpx: " + Utf8(u8"差異はありません。\n")},
        StatusCase{"RunFromStandardInput",
                   kPathT + "0000 = FF ;\n#end\n",
                   {"run", "-"},
                   2,
                   "qpx: run reads no script from standard input: a piped script has no folder",
                   "qpx: run " + Utf8(u8"は標準入力からスクリプトを読みません")},
        StatusCase{"ScriptCannotBeCreated",
                   "",
                   {"diff", "t.bin", "u.bin", "-o", "no/s.qpx"},
                   24,
                   "the file cannot be created",
                   Utf8(u8"ファイルを作成できません")},
        // A device is no file a script can take the place of.
        StatusCase{"ScriptOnADevice",
                   "",
                   {"diff", "t.bin", "u.bin", "-o", "/dev/full"},
                   24,
                   "/dev/full: the file cannot be created",
                   Utf8(u8"ファイルを作成できません")},
        StatusCase{"OutputIsAComparedFile",
                   "",
                   {"diff", "t.bin", "u.bin", "-o", "./u.bin"},
                   26,
                   "the output is u.bin, a compared file; nothing written"},
        // What a script holds reaches the terminal with its control characters
        // escaped: a script cannot rewrite the report it is shown in.
        StatusCase{"ControlCharactersOfAUnitAreEscaped",
                   kPathT + "0000 = \x1B[2J\x1B]0;x\x07\x1F\x7F ;\n#end\n",
                   {"run", "s.qpx"},
                   13,
                   "unit 5: \\x1B[2J\\x1B]0;x\\x07\\x1F\\x7F\n"},
        // So are those of every name from the command line.
        StatusCase{"ControlCharactersOfTheScriptNameAreEscaped",
                   "",
                   {"run", "evil\x1B]0;x\x07.qpx"},
                   3,
                   "qpx: evil\\x1B]0;x\\x07.qpx: the script could not be read\n"},
        StatusCase{"ControlCharactersOfTheTargetAreEscaped",
                   kDialogT,
                   {"run", "s.qpx", "--target", Utf8(u8"\x1B[2Jé.bin")},
                   12,
                   "qpx: --target \\x1B[2J?.bin (the name has no CP932 form)\n"},
        StatusCase{"ControlCharactersOfTheFirstFileAreEscaped",
                   "",
                   {"list", "a\x1B[2J.bin", "t.bin"},
                   20,
                   "qpx: a\\x1B[2J.bin: the first file cannot be read\n"},
        StatusCase{"ControlCharactersOfTheSecondFileAreEscaped",
                   "",
                   {"diff", "t.bin", "b\r\x07.bin"},
                   21,
                   "qpx: b\\x0D\\x07.bin: the second file cannot be read\n"},
        StatusCase{"ControlCharactersOfTheOutputAreEscaped",
                   "",
                   {"diff", "t.bin", "u.bin", "-o", "no/\x1B.qpx"},
                   24,
                   "qpx: no/\\x1B.qpx: the file cannot be created\n"},
        StatusCase{"ControlCharactersOfACommandAreEscaped",
                   "",
                   {"\x1B]0;run"},
                   2,
                   "qpx: unknown command \\x1B]0;run\n"}),
    [](const testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

TEST(Qpx, CheckShowsTheScriptsTextWithItsControlCharactersEscaped) {
  TempFolder folder;
  folder.Write("s.qpx",
               "#registry \"HKEY_CURRENT_USER\\\\S\\\\\x1B[2J\" string \"\x1B[31mred\" ; #end\n"
               "#path \"t\x1B[1A.bin\" #end\n");
  Result check = RunQpx(folder, {"check", "s.qpx"});
  EXPECT_EQ(check.status, 18);
  EXPECT_TRUE(Contains(check.out,
                       "#registry \"HKEY_CURRENT_USER\\S\\\\x1B[2J\"\n"
                       "  would write REG_SZ \"\\x1B[31mred\"\n"))
      << check.out;
  EXPECT_EQ(check.out.find('\x1B'), std::string::npos);
  EXPECT_EQ(check.err.find('\x1B'), std::string::npos);
}

// A script that came from the internet runs with --trust, or when the
// user answers yes on the terminal that shows what it would change;
// without a terminal it is not run, and one from a restricted site never
// is. check tells where the script came from.
struct MarkedCase {
  const char* name;
  std::string mark;  // the Zone.Identifier file beside s.qpx
  std::vector<std::string> arguments;
  int status;
  std::string said;  // a part of standard output or error
  bool patched;
};

class QpxMarked : public testing::TestWithParam<MarkedCase> {};

TEST_P(QpxMarked, RunsADownloadedScriptOnlyWhenConfirmed) {
  const MarkedCase& c = GetParam();
  TempFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("s.qpx", kPathT + "0000 = 58 ;\n#end\n");
  folder.Write("s.qpx:Zone.Identifier", c.mark);
  Result result = RunQpx(folder, c.arguments);
  EXPECT_EQ(result.status, c.status) << result.err;
  EXPECT_TRUE(Contains(result.out + result.err, c.said)) << result.out << result.err;
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin"))[0], c.patched ? 'X' : '0');
}

const std::string kInternet = "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://example.com/s.qpx\r\n";

INSTANTIATE_TEST_SUITE_P(
    Zones, QpxMarked,
    testing::Values(
        MarkedCase{"InternetWithoutTerminal",
                   kInternet,
                   {"run", "s.qpx"},
                   28,
                   "came from the internet and is not run without a terminal",
                   false},
        MarkedCase{"InternetTrusted", kInternet, {"run", "s.qpx", "--trust"}, 0, "", true},
        MarkedCase{"Restricted",
                   "[ZoneTransfer]\r\nZoneId=4\r\n",
                   {"run", "--trust", "s.qpx"},
                   28,
                   "came from a restricted site",
                   false},
        MarkedCase{"TrustedSite", "[ZoneTransfer]\r\nZoneId=2\r\n", {"run", "s.qpx"}, 0, "", true},
        MarkedCase{"MarkEndingInNul",
                   std::string("[ZoneTransfer]\nZoneId=3\0", 24),
                   {"run", "s.qpx"},
                   28,
                   "came from the internet",
                   false},
        MarkedCase{"MarkWithoutHeader",
                   "ZoneId=0\r\n",
                   {"run", "s.qpx"},
                   28,
                   "came from the internet",
                   false},
        MarkedCase{"CheckOfARestrictedScriptEndsAsRunWould",
                   "[ZoneTransfer]\r\nZoneId=4\r\n",
                   {"check", "s.qpx"},
                   28,
                   "the script came from a restricted site (zone 4)\n#path",
                   false},
        MarkedCase{"CheckTellsTheMark",
                   kInternet,
                   {"check", "s.qpx"},
                   0,
                   "the script came from the internet (zone 3), https://example.com/s.qpx\n#path",
                   false}),
    [](const testing::TestParamInfo<MarkedCase>& info) { return std::string(info.param.name); });

TEST(Qpx, TerminalShowsWhatADownloadedScriptChangesAndRunsItOnYes) {
  TempFolder folder;
  const std::string target = folder.Write("t.bin", kTarget);
  folder.Write("s.qpx", kPathT + "0000 = 58 ;\n#end\n");
  folder.Write("s.qpx:Zone.Identifier", kInternet);
  Result no = RunQpxOnTerminal(folder, {"run", "s.qpx"}, "", "n\n");
  EXPECT_EQ(no.status, 28) << no.err;
  EXPECT_TRUE(Contains(no.err, "  file: " + target + " (1 bytes change)")) << no.err;
  EXPECT_TRUE(Contains(no.err, "Run it? [y/N]")) << no.err;
  EXPECT_EQ(ReadFileBytes(target), kTarget);
  // A yes typed before the question appeared does not answer it.
  Result early = RunQpxOnTerminal(folder, {"run", "s.qpx"}, "y\n", "\n");
  EXPECT_EQ(early.status, 28) << early.err;
  EXPECT_EQ(ReadFileBytes(target), kTarget);
  folder.Write("r.qpx", "#registry \"HKEY_CURRENT_USER\\\\S\\\\V\" dword 01 ;\n#end\n");
  folder.Write("r.qpx:Zone.Identifier", kInternet);
  // A Run key after twenty sections, or after a dialog's bit statement:
  // here, with no registry, the run stops at it, and the question says so.
  std::string twenty;
  for (int at = 0; at < 20; ++at) twenty += kPathT + "0000 = 30 ;\n#end\n";
  const std::string run =
      "#registry \"HKEY_CURRENT_USER\\\\Software\\\\Microsoft\\\\Windows\\\\"
      "CurrentVersion\\\\Run\\\\Updater\" string \"C:\\\\u.exe\" ;\n#end\n";
  for (const auto& [script, listed] :
       {std::pair<std::string, std::string>{twenty + run, "  files that would not change: 1"},
        {"#path dialog \"T|t.bin|D|*.*|\" 0000 =bit 1XXXXXXX ;\n#end\n" + run,
         "  file: (the file chosen in the dialog) (up to 1 bytes change)"}}) {
    folder.Write("r.qpx", script);
    folder.Write("r.qpx:Zone.Identifier", kInternet);
    Result registry = RunQpxOnTerminal(folder, {"run", "r.qpx"}, "", "n\n");
    EXPECT_EQ(registry.status, 28) << registry.err;
    EXPECT_TRUE(Contains(registry.err, listed)) << registry.err;
    EXPECT_TRUE(Contains(registry.err, "  the run stops here: no registry on this system"))
        << registry.err;
    EXPECT_EQ(ReadFileBytes(target), kTarget);
  }
  // With its standard error sent to a file, qpx asks nothing: the user
  // would not see the question it waited on.
  Result logged = RunQpxOnTerminal(folder, {"run", "s.qpx"}, "y\n", "", true);
  EXPECT_EQ(logged.status, 28) << logged.err;
  EXPECT_TRUE(Contains(ReadFileBytes(folder.File(".err")), "not run without a terminal"));
  EXPECT_EQ(ReadFileBytes(target), kTarget);
  Result yes = RunQpxOnTerminal(folder, {"run", "s.qpx"}, "", "y\n");
  EXPECT_EQ(yes.status, 0) << yes.err;
  EXPECT_EQ(ReadFileBytes(target)[0], 'X');
}

TEST(Qpx, CheckRecognisesAScriptThatRunHasApplied) {
  TempFolder folder;
  std::string target = folder.Write("t.bin", kTarget);
  folder.Write("s.qpx", kPathT + "0000 = FF ;\n0004 to 0007 = 00 ;\n#end\n");
  Result before = RunQpx(folder, {"check", "s.qpx"});
  EXPECT_EQ(before.status, 0);
  EXPECT_TRUE(
      Contains(before.out, "5 bytes would change, 0 already hold their new value: not applied"))
      << before.out;
  EXPECT_EQ(ReadFileBytes(target), kTarget);
  ASSERT_EQ(RunQpx(folder, {"run", "s.qpx"}).status, 0);
  EXPECT_EQ(ReadFileBytes(target), std::string("\xFF") + "123" + std::string(4, '\0') + "89ABCDEF");
  Result after = RunQpx(folder, {"check", "s.qpx"});
  EXPECT_EQ(after.status, 0);
  EXPECT_TRUE(
      Contains(after.out, "0 bytes would change, 5 already hold their new value: already applied"))
      << after.out;
}

struct EndCase {
  const char* name;
  std::string script;
  int status;          // of check, and of run
  std::string report;  // all of check's standard output
  std::vector<std::string> options = {};
};

class QpxCheckEnd : public testing::TestWithParam<EndCase> {};

// A script that does less than it seems to says so, with the line, and
// check still ends with the status of the run.
TEST_P(QpxCheckEnd, SaysWhereTheScriptEndsWithTheStatusOfTheRun) {
  const EndCase& c = GetParam();
  TempFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("s.qpx", c.script);
  std::vector<std::string> arguments = {"check", "s.qpx"};
  arguments.insert(arguments.end(), c.options.begin(), c.options.end());
  Result check = RunQpx(folder, arguments);
  EXPECT_EQ(check.status, c.status) << check.err;
  EXPECT_EQ(check.out, c.report);
  EXPECT_EQ(RunQpx(folder, {"run", "s.qpx"}).status, c.status);
}

const std::string kUnchanged =
    "  0 bytes would change, 0 already hold their new value: already applied\n";
const std::string kOneChange =
    "  1 bytes would change, 0 already hold their new value: not applied\n";

INSTANTIATE_TEST_SUITE_P(
    Scripts, QpxCheckEnd,
    testing::Values(
        EndCase{"Complete", kPathT + "0000 = FF ;\n#end\n", 0, "#path \"t.bin\"\n" + kOneChange},
        EndCase{"MisspeltDirective", "#Path \"t.bin\"\n0000 = FF ;\n#end\n", 0,
                "line 3: the script ends with no #path or #registry section: it changes nothing\n"},
        EndCase{
            "NoDirectiveInJapanese",
            "text\n\nmore text",
            0,
            Utf8(u8"3 行目: #path も #registry のセクションもないままスクリプトが終わっています。"
                 u8"何も変更しません\n"),
            {"--lang", "ja"}},
        EndCase{"UnchangedSectionWithoutEnd", "x\n#path \"t.bin\"\n0000 = XX ;\n", 0,
                "#path \"t.bin\"\n" + kUnchanged +
                    "  line 2: the script ends inside the section begun there, with no #end\n"},
        EndCase{"ChangedSectionWithoutEnd", kPathT + "0000 = FF ;\n", 15,
                "#path \"t.bin\"\n" + kOneChange +
                    "  line 1: the script ends inside the section begun there, with no #end\n"},
        EndCase{"StatementCutOff", kPathT + "0000 = FF ;\n#end\n" + kPathT + "0001\n=", 0,
                "#path \"t.bin\"\n" + kOneChange + "#path \"t.bin\"\n" + kUnchanged +
                    "  line 4: the script ends inside the section begun there, with no #end\n"
                    "  line 5: the script ends inside the statement begun there, with no ;\n"},
        EndCase{"DirectiveWithoutTarget", "\n#path", 0,
                "line 2: the script ends inside the section begun there, with no #end\n"}),
    [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST(Qpx, DiffWritesQpxdiffsScriptBytesInBothDirections) {
  TempFolder folder;
  folder.Write("a b.bin", Bytes("\x00\x11\x22\x33"));
  folder.Write("c.bin", Bytes("\x00\xFF\x22\x05"));
  Result forward = RunQpx(folder, {"diff", "a b.bin", "c.bin"});
  EXPECT_EQ(forward.status, 0);
  // The full path of the file the script changes.
  EXPECT_EQ(forward.out, "#path \"" + folder.Path() + "/a\\sb.bin\"\r\n" +
                             Bytes("    01 = FF ;\r\n    03 = 05 ;\r\n#end\r\n\0"));
  Result reverse = RunQpx(folder, {"diff", "--reverse", "a b.bin", "c.bin"});
  EXPECT_EQ(reverse.out, "#path \"" + folder.Path() + "/c.bin\"\r\n" +
                             Bytes("    01 = 11 ;\r\n    03 = 33 ;\r\n#end\r\n\0"));
  ASSERT_EQ(RunQpx(folder, {"diff", "a b.bin", "c.bin", "-o", "f.qpx"}).status, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("f.qpx")), forward.out);
}

// However diff is given the file it compares, its script names the file's
// full path, and patches exactly that file when it is run from any other
// folder: files of the same name where diff ran, beside the script and
// where it is run stay as they are.
struct DiffNameCase {
  const char* name;
  std::string first;  // "$FOLDER" stands for the folder diff runs in
};

class QpxDiffNames : public testing::TestWithParam<DiffNameCase> {};

TEST_P(QpxDiffNames, ScriptPatchesTheComparedFileFromAnyFolder) {
  TempFolder folder;
  for (const char* sub : {"data", "scripts", "run"}) {
    std::filesystem::create_directory(folder.File(sub));
  }
  const std::string old = kTarget;
  const std::string wanted = "0123456789abcdef";
  folder.Write("data/a.bin", old);
  folder.Write("data/b.bin", wanted);
  const std::vector<std::string> decoys = {"a.bin", "scripts/a.bin", "run/a.bin"};
  for (const std::string& decoy : decoys) folder.Write(decoy, old);
  ASSERT_EQ(::symlink("data/a.bin", folder.File("link.bin").c_str()), 0);
  std::string first = GetParam().first;
  if (first.starts_with("$FOLDER")) first.replace(0, 7, folder.Path());

  Result diff = RunQpx(folder, {"diff", first, "data/b.bin", "-o", "scripts/s.qpx"});
  ASSERT_EQ(diff.status, 0) << diff.err;
  Result run = RunQpx(folder, {"run", "../scripts/s.qpx"}, "C.UTF-8", "run");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder.File("data/a.bin")), wanted);
  for (const std::string& decoy : decoys) EXPECT_EQ(ReadFileBytes(folder.File(decoy)), old);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.bin")));
}

INSTANTIATE_TEST_SUITE_P(Names, QpxDiffNames,
                         testing::Values(DiffNameCase{"Relative", "data/a.bin"},
                                         DiffNameCase{"Absolute", "$FOLDER/data/a.bin"},
                                         DiffNameCase{"Dotted", "run/../data/./a.bin"},
                                         DiffNameCase{"Symlinked", "link.bin"}),
                         [](const testing::TestParamInfo<DiffNameCase>& info) {
                           return std::string(info.param.name);
                         });

// An output that is a compared file by any name is refused, and both files
// keep their bytes; a script is written all or nothing, so a refused or
// failed one leaves no file.
struct OutputCase {
  const char* name;
  std::string output;  // "$FOLDER" stands for the folder
};

class QpxDiffOutput : public testing::TestWithParam<OutputCase> {};

TEST_P(QpxDiffOutput, OntoAComparedFileIsRefusedAndTouchesNothing) {
  TempFolder folder;
  folder.Write("a.bin", kTarget);
  folder.Write("b.bin", "0123456789abcdef");
  ASSERT_EQ(::link(folder.File("a.bin").c_str(), folder.File("hard.bin").c_str()), 0);
  ASSERT_EQ(::symlink("b.bin", folder.File("soft.bin").c_str()), 0);
  std::string output = GetParam().output;
  if (output.starts_with("$FOLDER")) output.replace(0, 7, folder.Path());
  Result result = RunQpx(folder, {"diff", "a.bin", "b.bin", "-o", output});
  EXPECT_EQ(result.status, 26) << result.err;
  EXPECT_EQ(ReadFileBytes(folder.File("a.bin")), kTarget);
  EXPECT_EQ(ReadFileBytes(folder.File("b.bin")), "0123456789abcdef");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 6);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, QpxDiffOutput,
    testing::Values(OutputCase{"SameName", "a.bin"}, OutputCase{"Dotted", "./b.bin"},
                    OutputCase{"HardLink", "hard.bin"}, OutputCase{"SymbolicLink", "soft.bin"},
                    OutputCase{"Absolute", "$FOLDER/b.bin"}),
    [](const testing::TestParamInfo<OutputCase>& info) { return std::string(info.param.name); });

TEST(Qpx, ADiffScriptRunTurnsTheFirstFileIntoTheSecond) {
  TempFolder folder;
  std::string first(70000, '\x10');
  std::string second = first;
  for (size_t at = 0; at < second.size(); at += 977) second[at] = static_cast<char>(at);
  std::string firstPath = folder.Write("first.bin", first);
  folder.Write("second.bin", second);
  ASSERT_EQ(RunQpx(folder, {"diff", "first.bin", "second.bin", "-o", "f.qpx"}).status, 0);
  ASSERT_EQ(RunQpx(folder, {"run", "f.qpx"}).status, 0);
  EXPECT_EQ(ReadFileBytes(firstPath), second);
  EXPECT_EQ(RunQpx(folder, {"diff", "first.bin", "second.bin"}).status, 23);
}

TEST(Qpx, ListIsThePaneTextRawOrInTheTerminalsEncoding) {
  TempFolder folder;
  const std::string name = Utf8(u8"テスト.bin");
  folder.Write(name, "abc");
  folder.Write("b.bin", "aXc");
  Result raw = RunQpx(folder, {"list", "--raw", name, "b.bin"});
  EXPECT_EQ(raw.status, 0);
  // The name in CP932, as qpxdiff's pane shows it.
  EXPECT_EQ(raw.out, "Address = \x83\x65\x83\x58\x83\x67.bin : b.bin\r\n01 = 62 : 58\r\n");
  Result shown = RunQpx(folder, {"list", name, "b.bin"});
  EXPECT_EQ(shown.out, Utf8(u8"Address = テスト.bin : b.bin\n01 = 62 : 58\n"));
  // For a person the notice is in the user's language, the names escaped;
  // the raw listing is the pane's bytes.
  folder.Write("c\x1B.bin", "aXc");
  Result same = RunQpx(folder, {"list", "c\x1B.bin", "b.bin"});
  EXPECT_EQ(same.out, "Address = c\\x1B.bin : b.bin\nthe files do not differ\n");
  Result sameJa = RunQpx(folder, {"list", "--lang", "ja", "b.bin", "c\x1B.bin"});
  EXPECT_EQ(sameJa.out, Utf8(u8"Address = b.bin : c\\x1B.bin\n差異はありません。\n"));
  Result sameRaw = RunQpx(folder, {"list", "--raw", "c\x1B.bin", "b.bin"});
  EXPECT_EQ(sameRaw.out, "Address = c\x1B.bin : b.bin\r\n差異はありません。\r\n");
  folder.Write("long.bin", "abcd");
  Result sizes = RunQpx(folder, {"list", "--raw", "b.bin", "long.bin"});
  EXPECT_EQ(sizes.status, 22);
  // The pane's notice, in CP932 as the compiler writes this literal.
  EXPECT_EQ(sizes.out,
            "　1つ目のファイルと2つ目のファイルのサイズが違います。\r\n"
            "　スクリプトファイルは書き出せません。");
  EXPECT_EQ(RunQpx(folder, {"list", "b.bin", "long.bin"}).out, "");
}

// "-" is standard input for check's script and standard output for diff's
// script: what they print is byte for byte what the file forms print, and
// a script from standard input is cut at its first zero byte as a file is.
TEST(Qpx, DashIsStandardInputForCheckAndStandardOutputForDiff) {
  TempFolder folder;
  folder.Write("t.bin", kTarget);
  folder.Write("u.bin", "0123456789ABCDEX");
  for (const std::string& script :
       {kPathT + "0000 = 30 ;\n0001 = FF ;\n#end\n", kPathT + "0000 = FF ;\r01A3 = 1 ;\n#end\n",
        kDialogT, kPathT + "0000 = FF ;\n"}) {
    folder.Write("s.qpx", script + Bytes("\0#end"));
    Result file = RunQpx(folder, {"check", "s.qpx", "--target", "t.bin"});
    Result piped = RunQpx(folder, {"check", "-", "--target", "t.bin"}, "C.UTF-8", "", "s.qpx");
    EXPECT_EQ(piped.status, file.status) << script;
    EXPECT_EQ(piped.out, file.out) << script;
    std::string err = file.err;
    if (size_t at = err.find("s.qpx:"); at != std::string::npos) err.replace(at, 5, "-");
    EXPECT_EQ(piped.err, err) << script;
  }
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")), kTarget);
  Result empty = RunQpx(folder, {"check", "-"});
  EXPECT_EQ(empty.status, 3);
  EXPECT_EQ(empty.err, "qpx: -: the script could not be read\n");

  ASSERT_EQ(RunQpx(folder, {"diff", "t.bin", "u.bin", "-o", "d.qpx"}).status, 0);
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"diff", "t.bin", "u.bin", "-o", "-"},
        std::vector<std::string>{"diff", "--output=-", "t.bin", "u.bin"}}) {
    Result dashed = RunQpx(folder, arguments);
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_EQ(dashed.out, ReadFileBytes(folder.File("d.qpx")));
  }
  EXPECT_FALSE(FileExists(folder.File("-")));
}

// Names on the command line and in the file system are UTF-8 here; in
// scripts, listings and messages they are CP932.
struct NameCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // UTF-8 names
  std::vector<std::string> arguments;
  int status;
  std::string out;    // a part of standard output (UTF-8)
  std::string err;    // a part of standard error (UTF-8)
  std::string file;   // a file that must hold
  std::string bytes;  // these bytes afterwards
};

class QpxNames : public testing::TestWithParam<NameCase> {};

TEST_P(QpxNames, AreCp932InsideAndTheSystemsOwnOutside) {
  const NameCase& c = GetParam();
  TempFolder folder;
  for (const auto& [name, bytes] : c.files) {
    std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
    folder.Write(name, bytes);
  }
  Result result = RunQpx(folder, c.arguments);
  EXPECT_EQ(result.status, c.status) << result.err;
  EXPECT_TRUE(Contains(result.out, c.out)) << result.out;
  EXPECT_TRUE(Contains(result.err, c.err)) << result.err;
  if (c.bytes.empty()) {
    EXPECT_FALSE(FileExists(folder.File(c.file)));
  } else {
    std::string bytes = c.bytes;
    if (size_t at = bytes.find("$FOLDER"); at != std::string::npos) {
      bytes.replace(at, 7, folder.Path());
    }
    EXPECT_EQ(ReadFileBytes(folder.File(c.file)), bytes);
  }
}

const std::string kPatched = "X123456789ABCDEF";  // after "0000 = 58 ;"
const std::string kHyo = Utf8(u8"表.bin");        // 95 5C in CP932
const std::string kUra = Utf8(u8"裏.bin");
const std::string kPatchHyo = "#path \"\x95\x5C.bin\" 0000 = 58 ; #end";
const std::string kPatchByDialog = "#path dialog \"T|t.bin|D|*.bin|\" 0000 = 58 ; #end";
const std::string kNoForm = " (the name has no CP932 form)";

INSTANTIATE_TEST_SUITE_P(
    Utf8, QpxNames,
    testing::Values(NameCase{"RunFindsTheTarget",
                             {{kHyo, kTarget}, {"s.qpx", kPatchHyo}},
                             {"run", "s.qpx"},
                             0,
                             "",
                             "",
                             kHyo,
                             kPatched},
                    NameCase{"CheckShowsTheTarget",
                             {{kHyo, kTarget}, {"s.qpx", kPatchHyo}},
                             {"check", "s.qpx"},
                             0,
                             "#path \"" + kHyo + "\"\n  1 bytes would change",
                             "",
                             kHyo,
                             kTarget},
                    NameCase{"ListShowsBothNames",
                             {{kHyo, "abc"}, {kUra, "aXc"}},
                             {"list", kHyo, kUra},
                             0,
                             "Address = " + kHyo + " : " + kUra + "\n01 = 62 : 58\n",
                             "",
                             kHyo,
                             "abc"},
                    // The 0x5C trail byte of 表 is doubled, as every backslash is.
                    NameCase{
                        "DiffNamesTheFileInCp932",
                        {{kHyo, "abc"}, {kUra, "aXc"}},
                        {"diff", kHyo, kUra, "-o", "d.qpx"},
                        0,
                        "",
                        "",
                        "d.qpx",
                        Bytes("#path \"$FOLDER/\x95\x5C\x5C.bin\"\r\n    01 = 58 ;\r\n#end\r\n\0")},
                    NameCase{"TargetOption",
                             {{kHyo, kTarget}, {"s.qpx", kPatchByDialog}},
                             {"run", "s.qpx", "--target", kHyo},
                             0,
                             "",
                             "",
                             kHyo,
                             kPatched},
                    NameCase{"ScriptInAFolderWithoutCp932Form",
                             {{Utf8(u8"josé/t.bin"), kTarget},
                              {Utf8(u8"josé/s.qpx"), "#path \"t.bin\" 0000 = 58 ; #end"}},
                             {"run", Utf8(u8"josé/s.qpx")},
                             0,
                             "",
                             "",
                             Utf8(u8"josé/t.bin"),
                             kPatched},
                    NameCase{"RelativeTargetBesideAScriptInSuchAFolder",
                             {{"t.bin", kTarget}, {Utf8(u8"josé/s.qpx"), kPatchByDialog}},
                             {"run", Utf8(u8"josé/s.qpx"), "--target", "t.bin"},
                             0,
                             "",
                             "",
                             "t.bin",
                             kPatched},
                    NameCase{"ScriptNameWithoutCp932Form",
                             {{Utf8(u8"é.qpx"), kPatchHyo}, {kHyo, kTarget}},
                             {"run", Utf8(u8"é.qpx")},
                             3,
                             "",
                             "qpx: ?.qpx: the script could not be read" + kNoForm,
                             kHyo,
                             kTarget},
                    NameCase{"FirstFileWithoutCp932Form",
                             {{Utf8(u8"é.bin"), "abc"}, {kUra, "aXc"}},
                             {"list", Utf8(u8"é.bin"), kUra},
                             20,
                             "",
                             "qpx: ?.bin: the first file cannot be read" + kNoForm,
                             kUra,
                             "aXc"},
                    NameCase{"SecondFileWithoutCp932Form",
                             {{kHyo, "abc"}, {Utf8(u8"한.bin"), "aXc"}},
                             {"diff", kHyo, Utf8(u8"한.bin")},
                             21,
                             "",
                             "qpx: ?.bin: the second file cannot be read" + kNoForm,
                             kHyo,
                             "abc"},
                    NameCase{"ScriptFileWithoutCp932Form",
                             {{kHyo, "abc"}, {kUra, "aXc"}},
                             {"diff", kHyo, kUra, "-o", Utf8(u8"é.qpx")},
                             24,
                             "",
                             "the file cannot be created" + kNoForm,
                             Utf8(u8"é.qpx"),
                             ""},
                    NameCase{"TargetOptionWithoutCp932Form",
                             {{Utf8(u8"é.bin"), kTarget}, {"s.qpx", kPatchByDialog}},
                             {"run", "s.qpx", "--target", Utf8(u8"é.bin")},
                             12,
                             "",
                             "qpx: --target ?.bin" + kNoForm,
                             Utf8(u8"é.bin"),
                             kTarget},
                    // A double quote or a control byte in a name cannot stand in a
                    // script: it is refused, and no script is written.
                    NameCase{"DiffRefusesANameWithADoubleQuote",
                             {{"a\"q.bin", "abc"}, {"b.bin", "aXc"}},
                             {"diff", "a\"q.bin", "b.bin", "-o", "d.qpx"},
                             27,
                             "",
                             "no script can name this file",
                             "d.qpx",
                             ""},
                    NameCase{"DiffRefusesANameWithAControlByte",
                             {{"a\x1B.bin", "abc"}, {"b.bin", "aXc"}},
                             {"diff", "--reverse", "b.bin", "a\x1B.bin"},
                             27,
                             "",
                             "no script can name this file",
                             "d.qpx",
                             ""},
                    NameCase{"LoneLeadByteInTheScript",
                             {{"t.bin", kTarget}, {"s.qpx", "#path \"t\x83\" #end"}},
                             {"run", "s.qpx"},
                             12,
                             "",
                             "",
                             "t.bin",
                             kTarget}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

// Killed at any moment (reading the script, patching, writing, flushing,
// replacing), a run leaves the target with exactly its old bytes or exactly
// its new ones, never a mixture.
TEST(Qpx, KilledRunLeavesTheTargetOldOrNew) {
  TempFolder folder;
  constexpr size_t kSize = size_t{32} << 20;
  constexpr size_t kStatements = 300000;
  std::string old(kSize, '\0');
  for (size_t at = 0; at < kSize; ++at) old[at] = static_cast<char>((at * 2654435761u) >> 24);
  std::string script = "#path \"t.bin\"\r\n";
  char statement[32];
  for (size_t at = 0; at < kStatements; ++at) {
    std::snprintf(statement, sizeof statement, "%08zX = %02X ;\r\n", at * 111,
                  static_cast<unsigned>(~old[at * 111] & 0xFF));
    script += statement;
  }
  folder.Write("s.qpx", script + "#end\r\n");
  const std::string target = folder.Write("t.bin", old);
  double start = Seconds();
  ASSERT_EQ(RunQpx(folder, {"run", "s.qpx"}).status, 0);
  const double whole = Seconds() - start;
  const std::string patched = ReadFileBytes(target);
  ASSERT_NE(patched, old);
  size_t olds = 0, news = 0;
  for (int moment = 1; moment <= 40; ++moment) {
    folder.Write("t.bin", old);
    pid_t child = StartQpx(folder, {"run", "s.qpx"});
    ASSERT_GT(child, 0);
    double delay = whole * moment / 41;
    timespec pause{static_cast<time_t>(delay),
                   static_cast<long>((delay - std::floor(delay)) * 1e9)};
    nanosleep(&pause, nullptr);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string after = ReadFileBytes(target);
    olds += after == old;
    news += after == patched;
    EXPECT_TRUE(after == old || after == patched) << "killed after " << delay << " s";
  }
  std::printf("killed 40 runs of %.2f s: %zu left the old target, %zu the new one\n", whole, olds,
              news);
  // The next run removes what the killed ones left beside the target.
  ASSERT_EQ(RunQpx(folder, {"run", "s.qpx"}).status, 0);
  EXPECT_EQ(ReadFileBytes(target), patched);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".err", ".out", "s.qpx", "t.bin"}));
}

// Files over 64 MiB count as long work; with standard error not a
// terminal no progress bar is drawn there.
TEST(Qpx, LongWorkDrawsNoProgressBarOffATerminal) {
  TempFolder folder;
  for (const char* name : {"a.bin", "b.bin"}) {
    ASSERT_EQ(truncate(folder.Write(name, "").c_str(), (off_t{65} << 20)), 0);
  }
  Result result = RunQpx(folder, {"list", "a.bin", "b.bin"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "Address = a.bin : b.bin\nthe files do not differ\n");
}

// --version as GNU programs give it: the version of packaging/VERSION, the
// copyright and the licence; --help ends with where to report a problem, a
// section the README has.
TEST(Qpx, HelpAndVersionGoToStandardOutput) {
  TempFolder folder;
  Result help = RunQpx(folder, {"--help"});
  EXPECT_TRUE(Contains(help.out, "qpx run SCRIPT")) << help.out;
  EXPECT_TRUE(Contains(help.out, "exit status")) << help.out;
  EXPECT_TRUE(Contains(help.out, "\n\nReport a problem as the section \"Reporting a problem\""))
      << help.out;
  EXPECT_TRUE(Contains(ReadFileBytes(QPX_README), "\n## Reporting a problem\n"));
  EXPECT_TRUE(help.err.empty());
  std::string version = ReadFileBytes(QPX_VERSION_FILE);
  version.erase(version.find_last_not_of(" \r\n") + 1);
  EXPECT_EQ(RunQpx(folder, {"--version"}).out,
            "qpx " + version +
                "\nCopyright (C) 2026 The Quopra authors\n"
                "License MIT: <https://opensource.org/license/mit>\n"
                "This is free software: you are free to change and redistribute it.\n"
                "There is NO WARRANTY, to the extent permitted by law.\n");
}

// The lines of the manual page as they read, without the font changes and
// with its escaped minus signs and backslashes plain.
std::vector<std::string> ManualPageLines() {
  std::string page = ReadFileBytes(QPX_MANUAL_PAGE);
  std::vector<std::string> lines(1);
  for (size_t at = 0; at < page.size(); ++at) {
    if (page[at] == '\n') {
      lines.emplace_back();
    } else if (page.compare(at, 2, "\\f") == 0 && at + 2 < page.size()) {
      at += 2;
    } else if (page.compare(at, 2, "\\-") == 0 || page.compare(at, 2, "\\e") == 0) {
      lines.back() += page[++at] == '-' ? '-' : '\\';
    } else {
      lines.back() += page[at];
    }
  }
  return lines;
}

// The manual page is written by hand: its synopsis, its exit statuses and
// its version are those of --help and --version, line for line.
TEST(Qpx, ManualPageKeepsInStepWithHelp) {
  TempFolder folder;
  std::vector<std::string> page = ManualPageLines();
  auto has = [&page](const std::string& line) {
    return std::find(page.begin(), page.end(), line) != page.end();
  };
  std::string help = RunQpx(folder, {"--help"}).out;
  size_t statuses = 0;
  for (size_t start = 0, end; start < help.size(); start = end + 1) {
    end = help.find('\n', start);
    std::string line = help.substr(start, end - start);
    if (line.rfind("  qpx ", 0) == 0) {
      EXPECT_TRUE(has(line.substr(2))) << line;
    }
    if (line.size() > 7 && line.rfind("  ", 0) == 0 && std::isdigit(line[2])) {
      std::string status = line.substr(2, line.find(' ', 2) - 2);
      auto at = std::find(page.begin(), page.end(), ".B " + status);
      ASSERT_NE(at, page.end()) << "no exit status " << status;
      EXPECT_EQ(*(at + 1), line.substr(7)) << "exit status " << status;
      ++statuses;
    }
  }
  EXPECT_EQ(std::count_if(page.begin(), page.end(),
                          [](const std::string& line) {
                            return line.rfind(".B ", 0) == 0 && std::isdigit(line[3]);
                          }),
            statuses);
  std::string version = RunQpx(folder, {"--version"}).out;
  EXPECT_NE(page[2].find("\"" + version.substr(0, version.find('\n')) + "\""), std::string::npos)
      << page[2];
}

}  // namespace
