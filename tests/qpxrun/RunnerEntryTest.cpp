#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "interpreter/Outcome.h"
#include "platform/MessageBox.h"
#include "qpxrun/RunnerEntry.h"
#include "tests/standin/StandIn.h"
#include "tests/support/ScriptRun.h"

namespace {

using platform::standin::Recorder;

// The messages as the user sees them, in code page 932.
const std::string kError = "\x83\x47\x83\x89\x81\x5B";
const std::string kConfirm = "\x8A\x6D\x94\x46";
const std::string kLoadFailed =
    "\x83\x58\x83\x4E\x83\x8A\x83\x76\x83\x67\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC9\x8E"
    "\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
const std::string kScriptProblem =
    "\x83\x58\x83\x4E\x83\x8A\x83\x76\x83\x67\x82\xC9\x96\xE2\x91\xE8\x82\xAA\x82\xA0\x82\xE8\x82"
    "\xDC\x82\xB7";
const std::string kTargetOpenFailed =
    "\x91\x80\x8D\xEC\x82\xB7\x82\xE9\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8A"
    "\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD";
const std::string kSaveFailed =
    "\x91\x80\x8D\xEC\x92\x86\x82\xCC\x83\x66\x81\x5B\x83\x5E\x82\xF0\x83\x74\x83"
    "\x40\x83\x43\x83\x8B\x82\xC9\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
    "\x82\xF1\x82\xC5\x82\xB5\x82\xBD";
const std::string kNoEndDirective =
    "\x8F\x49\x97\xB9\x83\x66\x83\x42\x83\x8C\x83\x4E\x83\x65\x83\x42\x83\x75\x82"
    "\xAA\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81\x41\x95\xDB\x91\xB6\x82\xB5\x82\xDC"
    "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD";
const std::string kCancelled =
    "\x8F\x88\x97\x9D\x82\xF0\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B\x82\xB5\x82\xDC\x82\xB5\x82"
    "\xBD";

struct OutcomeCase {
  int32_t reason;
  std::string text;
  std::string caption;
  unsigned flags;
};

class OutcomeTable : public testing::TestWithParam<OutcomeCase> {};

TEST_P(OutcomeTable, GivesTextCaptionAndIconOfEachReason) {
  const OutcomeMessage& message = ReasonMessage(GetParam().reason);
  EXPECT_EQ(message.text, GetParam().text) << GetParam().reason;
  EXPECT_EQ(message.caption, GetParam().caption) << GetParam().reason;
  EXPECT_EQ(message.flags, GetParam().flags) << GetParam().reason;
}

const std::string kOtherFailure =
    "\x89\xF0\x90\xCD\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";

INSTANTIATE_TEST_SUITE_P(
    Reasons, OutcomeTable,
    testing::Values(
        OutcomeCase{0, "\x83\x86\x83\x6A\x83\x62\x83\x67\x82\xCC" + kOtherFailure, kError, 0x10},
        OutcomeCase{1,
                    "\x89\xF0\x90\xCD\x82\xB7\x82\xE9\x83\x86\x83\x6A\x83\x62\x83\x67\x82\xAA\x82"
                    "\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
                    kError, 0x10},
        OutcomeCase{2, kTargetOpenFailed, kError, 0x10},
        OutcomeCase{3, kScriptProblem, kError, 0x10}, OutcomeCase{4, kSaveFailed, kError, 0x10},
        OutcomeCase{5, kNoEndDirective, kError, 0x10}, OutcomeCase{6, kCancelled, kConfirm, 0x30},
        OutcomeCase{7, kOtherFailure, kError, 0x10}, OutcomeCase{-1, kOtherFailure, kError, 0x10},
        OutcomeCase{INT32_MIN, kOtherFailure, kError, 0x10}));

TEST(LoadFailedOutcome, IsAnErrorWithTheLoadText) {
  EXPECT_EQ(LoadFailedMessage().text, kLoadFailed);
  EXPECT_EQ(LoadFailedMessage().caption, kError);
  EXPECT_EQ(LoadFailedMessage().flags, 0x10u);
}

TEST(CommandLine, DropsEveryDoubleQuoteAndKeepsSpaces) {
  EXPECT_EQ(ScriptPathFromCommandLine("\"C:\\a b\\s.qpx\""), "C:\\a b\\s.qpx");
  EXPECT_EQ(ScriptPathFromCommandLine("a\"b\" c"), "ab c");
  EXPECT_EQ(ScriptPathFromCommandLine("\"\"\""), "");
}

struct EntryCase {
  std::string name;
  std::optional<std::string> script;  // written to "a b/s.qpx"; nothing: no file
  std::string tail;                   // "$" stands for the script path
  std::optional<std::string> text;    // the one message shown, or none
  std::string caption = kError;
  unsigned flags = 0x10;
  size_t dialogs = 0;  // dialogs the script itself shows
};

class RunnerEntry : public StandInTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(RunnerEntry, ShowsAtMostOneMessageAndReturnsZero) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("a b"));
  std::string path = folder.File("a b/s.qpx");
  folder.Write("a b/t.bin", "abc");
  if (GetParam().script) folder.Write("a b/s.qpx", *GetParam().script);
  std::string tail = GetParam().tail;
  if (size_t at = tail.find('$'); at != std::string::npos) tail.replace(at, 1, path);
  EXPECT_EQ(RunRunner(tail), 0);
  EXPECT_EQ(Recorder().dialogs.size(), GetParam().dialogs);
  if (!GetParam().text) {
    EXPECT_TRUE(Recorder().messageBoxes.empty());
    return;
  }
  ASSERT_EQ(Recorder().messageBoxes.size(), 1u);
  const auto& box = Recorder().messageBoxes[0];
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.text, *GetParam().text);
  EXPECT_EQ(box.caption, GetParam().caption);
  EXPECT_EQ(box.flags, GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(
    Tails, RunnerEntry,
    testing::Values(EntryCase{"QuotedPathWithSpaces", "#path \"t.bin\" 0000 = 41 ; #end", "\"$\"",
                              std::nullopt},
                    EntryCase{"NoDirective", "nothing here", "$", std::nullopt},
                    EntryCase{"TwoPaths", "nothing here", "\"$\" \"$\"", kLoadFailed},
                    EntryCase{"QuotesOnly", "nothing here", "\"\"", kLoadFailed},
                    EntryCase{"MissingScript", std::nullopt, "$", kLoadFailed},
                    EntryCase{"ScriptError", "#path \"t.bin\" 0000 = ; #end", "$", kScriptProblem},
                    EntryCase{"MissingTarget", "#path \"none.bin\" #end", "$", kTargetOpenFailed},
                    EntryCase{"SectionWithoutTarget", "#path #end", "$", kSaveFailed},
                    EntryCase{"MissingEnd", "#path \"t.bin\" 0000 = 41 ;", "$", kNoEndDirective},
                    EntryCase{"ByteThatIsNoNumber", "#path \"t.bin\" 0000 = x5 ; #end", "$",
                              kScriptProblem},
                    EntryCase{"CancelledDialog", "#path dialog \"t|n|d|p|\" #end", "$", kCancelled,
                              kConfirm, 0x30, 1}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

class ScriptDialog : public StandInTest {};

// Quopraファイルを開く and the filter Quopraファイル (*.qpx), *.qpx.
const std::string kTitle = "Quopra\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD";
constexpr char kFilterBytes[] = "Quopra\x83\x74\x83\x40\x83\x43\x83\x8B (*.qpx)\0*.qpx\0";

TEST_F(ScriptDialog, EmptyTailAsksForTheScriptAndCancelEndsSilently) {
  EXPECT_EQ(RunRunner(""), 0);
  ASSERT_EQ(Recorder().dialogs.size(), 1u);
  const auto& dialog = Recorder().dialogs[0];
  EXPECT_FALSE(dialog.save);
  EXPECT_EQ(dialog.owner, nullptr);
  EXPECT_EQ(dialog.title, kTitle);
  EXPECT_EQ(dialog.filter, std::string(kFilterBytes, sizeof kFilterBytes));
  EXPECT_EQ(dialog.initialDir, "/stand-in/current");
  EXPECT_EQ(dialog.flags, 0x201004u);
  EXPECT_TRUE(Recorder().messageBoxes.empty());
}

TEST_F(ScriptDialog, NoInitialFolderWhenTheCurrentFolderIsUnknown) {
  Recorder().currentDirectory = std::nullopt;
  EXPECT_EQ(RunRunner(""), 0);
  ASSERT_EQ(Recorder().dialogs.size(), 1u);
  EXPECT_EQ(Recorder().dialogs[0].initialDir, std::nullopt);
}

TEST_F(ScriptDialog, ChosenScriptRuns) {
  TempFolder folder;
  folder.Write("t.bin", "abc");
  Recorder().dialogAnswers.push_back(folder.Write("s.qpx", "#path \"t.bin\" 0001 = 41 ; #end"));
  EXPECT_EQ(RunRunner(""), 0);
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")), "aAc");
  EXPECT_TRUE(Recorder().messageBoxes.empty());
}

TEST_F(ScriptDialog, ChosenScriptWithoutCp932FormCannotBeRead) {
  Recorder().dialogAnswers.push_back(platform::standin::kAnswerWithoutCp932Form);
  EXPECT_EQ(RunRunner(""), 0);
  ASSERT_EQ(Recorder().messageBoxes.size(), 1u);
  EXPECT_EQ(Recorder().messageBoxes[0].text, kLoadFailed);
}

// A tail without a CP932 form, as the system gives it: a script in a folder
// named in UTF-8 here runs from within that folder.
class TailWithoutCp932Form : public StandInTest {
 protected:
  void TearDown() override { std::filesystem::current_path(startFolder_); }

  std::filesystem::path startFolder_ = std::filesystem::current_path();
};

TEST_F(TailWithoutCp932Form, RunsTheScriptBesideItsTargetsOrCannotReadIt) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("jos\xC3\xA9"));  // josé
  folder.Write("jos\xC3\xA9/t.bin", "abc");
  folder.Write("jos\xC3\xA9/s.qpx", "#path \"t.bin\" 0001 = 41 ; #end");
  folder.Write("jos\xC3\xA9/\xC3\xA9.qpx", "#path \"t.bin\" 0002 = 41 ; #end");
  EXPECT_EQ(RunRunner(platform::CommandArgument{"?", false, folder.File("jos\xC3\xA9/s.qpx")}), 0);
  EXPECT_EQ(ReadFileBytes(folder.File("jos\xC3\xA9/t.bin")), "aAc");
  EXPECT_TRUE(Recorder().messageBoxes.empty());
  // Neither the folder nor the name of this one has a CP932 form.
  EXPECT_EQ(
      RunRunner(platform::CommandArgument{"?", false, folder.File("jos\xC3\xA9/\xC3\xA9.qpx")}), 0);
  ASSERT_EQ(Recorder().messageBoxes.size(), 1u);
  EXPECT_EQ(Recorder().messageBoxes[0].text, kLoadFailed);
  EXPECT_EQ(ReadFileBytes(folder.File("jos\xC3\xA9/t.bin")), "aAc");
}

}  // namespace

namespace {

// A script that the system marked as downloaded, by its zone.
struct MarkCase {
  const char* name;
  std::string mark;               // its Zone.Identifier stream; empty: none
  std::optional<int> answer;      // the button pressed in the one box
  std::optional<unsigned> flags;  // that box's flags; nothing: no box
  bool runs;                      // the target and the registry are written
};

class DownloadedScript : public StandInTest, public testing::WithParamInterface<MarkCase> {};

// Nothing is written before the user says yes to a script from the
// internet, whose box lists every target by its full path, a dialog's file
// as such, and every registry value with its data; one from a restricted
// site is refused; any other runs as before, with no box.
TEST_P(DownloadedScript, RunsOnlyWhatTheUserConfirmed) {
  const MarkCase& c = GetParam();
  TempFolder folder;
  folder.Write("t.bin", "abc");
  const std::string script = folder.Write(
      "s.qpx",
      "#path \"t.bin\" 0001 = 41 ; #end #path dialog \"T|n|D|*.*|\" 0000 = 00 ; #end "
      "#registry \"HKEY_CURRENT_USER\\\\Software\\\\Run\\\\x\" string \"evil\\s\x1B[2J\" ; #end");
  if (!c.mark.empty()) folder.Write("s.qpx:Zone.Identifier", c.mark);
  if (c.answer) Recorder().messageBoxAnswers.push_back(*c.answer);
  Recorder().dialogAnswers.push_back(folder.File("t.bin"));
  EXPECT_EQ(RunRunner(script), 0);
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")),
            c.runs ? std::string("\0Ac", 3) : std::string("abc"));
  EXPECT_EQ(Recorder().registryWrites.size(), c.runs ? 1u : 0u);
  ASSERT_EQ(Recorder().messageBoxes.size(), c.flags ? 1u : 0u);
  if (!c.flags) return;
  const auto& box = Recorder().messageBoxes[0];
  EXPECT_EQ(box.flags, *c.flags);
  if (*c.flags != 0x134) return;
  for (const std::string& listed :
       {folder.File("t.bin"),
        std::string("HKEY_CURRENT_USER\\Software\\Run\\x = REG_SZ "
                    "\"evil \\x1B[2J\""),
        std::string("\x83\x5F\x83\x43\x83\x41\x83\x8D\x83\x4F")}) {  // ダイアログ
    EXPECT_NE(box.text.find(listed), std::string::npos) << listed << "\n" << box.text;
  }
}

const std::string kZone = "[ZoneTransfer]\r\nZoneId=";

INSTANTIATE_TEST_SUITE_P(
    Zones, DownloadedScript,
    testing::Values(MarkCase{"NoMark", "", std::nullopt, std::nullopt, true},
                    MarkCase{"ThisComputer", kZone + "0\r\n", std::nullopt, std::nullopt, true},
                    MarkCase{"TrustedSite", kZone + "2\r\n", std::nullopt, std::nullopt, true},
                    MarkCase{"InternetNo", kZone + "3\r\nHostUrl=https://example.com/s.qpx\r\n",
                             platform::kIdNo, 0x134, false},
                    MarkCase{"InternetYes", kZone + "3\r\n", platform::kIdYes, 0x134, true},
                    MarkCase{"Restricted", kZone + "4\r\n", std::nullopt, 0x10, false}),
    [](const testing::TestParamInfo<MarkCase>& info) { return info.param.name; });

struct LongListCase {
  const char* name;
  std::string script;  // beside u.bin ("0")
  bool scrolls;        // the question is the box that scrolls
  std::vector<std::string> shown;
};

class DownloadedScriptsQuestion : public StandInTest,
                                  public testing::WithParamInterface<LongListCase> {};

// Every registry value is in the question, whole: twenty fit a message
// box, more or a longer one go to the box that scrolls. No writes nothing.
TEST_P(DownloadedScriptsQuestion, ShowsEveryRegistryValueWhole) {
  const LongListCase& c = GetParam();
  TempFolder folder;
  folder.Write("u.bin", "0");
  folder.Write("s.qpx:Zone.Identifier", kZone + "3\r\n");
  Recorder().messageBoxAnswers.push_back(platform::kIdNo);
  Recorder().dialogAnswers.push_back(folder.File("u.bin"));
  EXPECT_EQ(RunRunner(folder.Write("s.qpx", c.script)), 0);
  ASSERT_EQ(Recorder().messageBoxes.size(), 1u);
  const auto& box = Recorder().messageBoxes[0];
  EXPECT_EQ(box.scrolls, c.scrolls);
  EXPECT_EQ(box.flags, 0x134u);
  for (const std::string& line : c.shown) {
    EXPECT_NE(box.text.find("    " + line + "\n"), std::string::npos) << line << "\n" << box.text;
  }
  EXPECT_TRUE(Recorder().registryWrites.empty());
  EXPECT_TRUE(Recorder().dialogs.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("u.bin")), "0");
}

std::string Values(int count, size_t nameLength) {
  std::string text;
  for (int at = 0; at < count; ++at) {
    text += "#registry \"HKEY_USERS\\\\S\\\\v" + std::to_string(at) + std::string(nameLength, 'a') +
            "\" dword 01 ; #end ";
  }
  return text;
}

std::vector<std::string> ValueLines(int count, size_t nameLength) {
  std::vector<std::string> lines;
  for (int at = 0; at < count; ++at) {
    lines.push_back("レジストリ: HKEY_USERS\\S\\v" + std::to_string(at) +
                    std::string(nameLength, 'a') + " = REG_DWORD 1 (0x00000001)");
  }
  return lines;
}

const std::string kRunKey =
    "#registry \"HKEY_CURRENT_USER\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion"
    "\\\\Run\\\\Updater\" string \"C:\\\\u.exe\" ; #end\n";
const std::string kRunKeyLine =
    "レジストリ: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\"
    "Updater = REG_SZ \"C:\\u.exe\"";

std::string UnchangedSections(int count) {
  std::string text;
  for (int at = 0; at < count; ++at) text += "#path \"u.bin\" 0000 = 30 ; #end\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DownloadedScriptsQuestion,
    testing::Values(
        LongListCase{"TwentyValuesFitAMessageBox", Values(20, 0), false, ValueLines(20, 0)},
        LongListCase{"TwentyOneValuesScroll", Values(21, 0), true, ValueLines(21, 0)},
        LongListCase{"ALongValueScrollsWhole", Values(1, 300), true, ValueLines(1, 300)},
        LongListCase{"RunKeyAfterTwentySections",
                     UnchangedSections(20) + kRunKey,
                     false,
                     {kRunKeyLine, "変わらないファイル: 1 個"}},
        LongListCase{
            "RunKeyAfterADialogsBitStatement",
            "#path dialog \"T|n|D|*.*|\" 0000 =bit 1XXXXXXX ; #end\n" + kRunKey,
            false,
            {kRunKeyLine, "ファイル: (ダイアログで選ぶファイル) (最大 1 バイトが変わります)"}}),
    [](const testing::TestParamInfo<LongListCase>& info) { return info.param.name; });

}  // namespace
