#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interpreter/ChangeList.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "tests/standin/StandIn.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kRun =
    "#registry \"HKEY_CURRENT_USER\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run"
    "\\\\Updater\" string \"C:\\\\u.exe\" ; #end\n";
const std::string kRunLine =
    "レジストリ: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Updater = "
    "REG_SZ \"C:\\u.exe\"";

// A name of 254 bytes: its file's line is longer than 300 bytes.
const std::string kLongName = std::string(250, 'n') + ".bin";

// Sections "#path "uN.bin"" for N from first on, each storing byte.
std::string Sections(int first, int count, const std::string& byte) {
  std::string text;
  for (int at = first; at < first + count; ++at) {
    text += "#path \"u" + std::to_string(at) + ".bin\" 0000 = " + byte + " ; #end\n";
  }
  return text;
}

struct ListCase {
  const char* name;
  std::string script;              // beside t.bin ("0123"), u0.bin to u29.bin and kLongName ("0")
  std::vector<std::string> shown;  // in this order; "{F}" the folder
  std::vector<std::string> notShown = {};  // anywhere
  ChangeListLayout layout = kWholeChangeList;
  Language language = Language::kJapanese;
  bool hasRegistry = true;
};

class ChangeListOf : public testing::TestWithParam<ListCase> {};

// The list that the question shows comes from the run itself: registry
// values first and whole, each changed file once with its bytes, the
// others counted, a dialog's file as one of unknown bytes and size, and
// where the run stops and why.
TEST_P(ChangeListOf, ScriptShowsWhatItsRunWouldChange) {
  const ListCase& c = GetParam();
  platform::standin::Reset();
  TempFolder folder;
  folder.Write("t.bin", "0123");
  for (int at = 0; at < 30; ++at) folder.Write("u" + std::to_string(at) + ".bin", "0");
  folder.Write(kLongName, "0");
  CScriptFile script(QuopraStatements());
  ASSERT_TRUE(LoadScript(script, folder.Write("s.qpx", c.script)));
  CRecordingHost world;
  const std::string list =
      DescribeChanges(ForeseeRun(script, world, c.hasRegistry), c.layout, "  ", c.language);
  EXPECT_TRUE(world.saved.empty() && world.values.empty() && world.dialogTitles.empty());
  size_t from = 0;
  for (std::string line : c.shown) {
    if (size_t at = line.find("{F}"); at != std::string::npos) line.replace(at, 3, folder.Path());
    size_t found = list.find(line, from);
    ASSERT_NE(found, std::string::npos) << line << "\n" << list;
    from = found + line.size();
  }
  for (const std::string& line : c.notShown) EXPECT_EQ(list.find(line), std::string::npos) << list;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ChangeListOf,
    testing::Values(
        ListCase{"RegistryValuesComeFirst",
                 "#path \"t.bin\" 0000 = 30FF ; #end\n" + kRun,
                 {kRunLine, "ファイル: {F}/t.bin (1 バイトが変わります)\n"}},
        ListCase{"UnchangedFilesAreOneLineAndTheRunKeyIsShown",
                 Sections(0, 20, "30") + kRun,
                 {kRunLine, "変わらないファイル: 20 個\n"},
                 {"u0.bin", "表示しきれない"},
                 {20, 300}},
        // Byte 0 is put back, which a run stopped in between would not.
        ListCase{"AFileIsListedOnceWithEveryByteAnySaveChanges",
                 "#path \"t.bin\" 0000 = FF ; #end #path \"t.bin\" 0001 = FF ; 0000 = 30 ; #end\n"
                 "#path \"t.bin\" 0002 = FF ; 0002 = 32 ; 0003 =bit 1XXXXXXX ; #end\n",
                 {"ファイル: {F}/t.bin (3 バイトが変わります)\n"},
                 {"変わらない"}},
        ListCase{"BitStatementOnADialogFileGoesOnToTheRunKey",
                 "#path dialog \"T|n|D|*.*|\" 0000 =bit 1XXXXXXX ; 0010 to 001F =bit XXXXXXX1 ; "
                 "0001 = 41 ; #end\n#path \"u3.bin\" 0000 = 41 ; #end\n" +
                     kRun,
                 {kRunLine, "ファイル: (ダイアログで選ぶファイル) (最大 18 バイトが変わります)\n",
                  "ファイル: {F}/u3.bin (1 バイトが変わります)\n"},
                 {"止まります"}},
        ListCase{"AFillOfADialogFileOfUnknownSizeCountsEveryByte",
                 "#path dialog \"T|n|D|*.*|\" 0000 to FFFFFFFF = 00 ; #end\n",
                 {"ファイル: (ダイアログで選ぶファイル) (最大 4294967296 バイトが変わります)\n"}},
        ListCase{"ADialogFileLeftAsItIsIsUnchanged",
                 "#path dialog \"T|n|D|*.*|\" #end\n",
                 {"変わらないファイル: 1 個\n", "(何も変わりません)\n"}},
        ListCase{
            "ARunThatStopsListsWhatComesBeforeAndWhy",
            "#path \"t.bin\" 0000 = FF ; #end\n#path \"missing.bin\" 0000 = 00 ; #end\n" + kRun,
            {"ファイル: {F}/t.bin (1 バイトが変わります)\n",
             "実行はここで止まります: 操作するファイルが開けませんでした\n"},
            {"レジストリ:", "missing"}},
        ListCase{"ASectionThatFailsIsNotWritten",
                 "#path \"t.bin\" 0000 = FF ; 0010 = FF ; #end\n",
                 {"(何も変わりません)\n", "実行はここで止まります: スクリプトに問題があります\n"},
                 {"t.bin"}},
        ListCase{"ALongFileLineIsCutAndSaysSo",
                 "#path \"" + kLongName +
                     "\" 0000 = 00 ; #end\n"
                     "#path \"t.bin\" 0000 = FF ; #end\n",
                 {"ファイル: {F}/nnnnnnnn", "...(長いため省略)\n",
                  "ファイル: {F}/t.bin (1 バイトが変わります)\n"},
                 {"n.bin"},
                 {20, 300}},
        ListCase{
            "ALongRegistryValueIsShownWhole",
            "#registry \"HKEY_CURRENT_USER\\\\R\\\\" + std::string(400, 'v') +
                "\" string \"C:\\\\" + std::string(200, 'c') + "\" ; #end\n",
            {"\\R\\" + std::string(400, 'v') + " = REG_SZ \"C:\\" + std::string(200, 'c') + "\"\n"},
            {"省略"},
            {20, 300}},
        ListCase{"FilesBeyondTheLinesAreCounted",
                 Sections(0, 25, "31") + kRun,
                 {kRunLine, "u17.bin (1 バイトが変わります)\n",
                  "表示しきれないもの: ほかに変わるファイル 7 件\n"},
                 {"u18.bin"},
                 {20, 300}},
        ListCase{"EnglishTexts",
                 "#path \"t.bin\" 0000 = FF ; #end #path \"u1.bin\" 0000 = 30 ; #end\n"
                 "#registry \"HKEY_USERS\\\\S\\\\V\" dword_dec 7 ; #end #path \"nowhere\" #end",
                 {"registry: HKEY_USERS\\S\\V = REG_DWORD 7 (0x00000007)\n",
                  "file: {F}/t.bin (1 bytes change)\n", "files that would not change: 1\n",
                  "the run stops here: the target file could not be opened\n"},
                 {},
                 kWholeChangeList,
                 Language::kEnglish},
        ListCase{"WithoutARegistryTheRunStopsAtTheValue",
                 "#path \"t.bin\" 0000 = FF ; #end\n" + kRun,
                 {"file: {F}/t.bin (1 bytes change)\n",
                  "the run stops here: no registry on this system\n"},
                 {"registry:"},
                 kWholeChangeList,
                 Language::kEnglish,
                 false}),
    [](const testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

struct FitCase {
  const char* name;
  size_t values;
  size_t nameLength;
  bool fits;
};

class RegistryValues : public testing::TestWithParam<FitCase> {};

// A message box holds twenty values of a line each; more, or a longer
// one ("レジストリ: HKEY_USERS\\" and " = REG_DWORD 1 (0x00000001)" are 50
// bytes), call for the box that scrolls.
TEST_P(RegistryValues, FitAMessageBoxOnlyWhole) {
  const FitCase& c = GetParam();
  RunChanges changes;
  for (size_t at = 0; at < c.values; ++at) {
    changes.values.push_back(
        {"HKEY_USERS\\" + std::string(c.nameLength, 'v'), platform::kRegDword, "\x01"});
  }
  EXPECT_EQ(RegistryValuesFit(changes, {20, 300}), c.fits);
}

INSTANTIATE_TEST_SUITE_P(Counts, RegistryValues,
                         testing::Values(FitCase{"Twenty", 20, 10, true},
                                         FitCase{"TwentyOne", 21, 10, false},
                                         FitCase{"LineOf300Bytes", 1, 300 - 50, true},
                                         FitCase{"LineOf301Bytes", 1, 301 - 50, false}),
                         [](const testing::TestParamInfo<FitCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
