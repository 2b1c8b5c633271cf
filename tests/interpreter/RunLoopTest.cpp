#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "interpreter/RunLoop.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "tests/support/RecordingHost.h"
#include "tests/standin/StandIn.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/ScriptRun.h"

namespace {

// Sixteen bytes 00 to 0F, with some of them changed.
std::string Target(const std::map<int, int>& changes = {}) {
  std::string bytes;
  for (int i = 0; i < 16; ++i) bytes += static_cast<char>(i);
  for (auto [at, value] : changes) bytes[at] = static_cast<char>(value);
  return bytes;
}

struct RunCase {
  std::string name;
  std::string script;
  std::optional<int> reason;  // nothing: the run completes
  std::string t = Target();   // t.bin afterwards
  std::string u = Target();   // u.bin afterwards
};

class RunLoop : public StandInTest, public testing::WithParamInterface<RunCase> {};

TEST_P(RunLoop, EndsWithItsReasonAndWritesOnlyFinishedSections) {
  TempFolder folder;
  folder.Write("t.bin", Target());
  folder.Write("u.bin", Target());
  CRecordingHost host;
  EXPECT_EQ(RunScriptText(folder, GetParam().script, host), GetParam().reason);
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")), GetParam().t);
  EXPECT_EQ(ReadFileBytes(folder.File("u.bin")), GetParam().u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);
}

const std::string kT = "#path \"t.bin\" ";
const std::string kU = "#path \"u.bin\" ";

INSTANTIATE_TEST_SUITE_P(
    Sections, RunLoop,
    testing::Values(
        RunCase{"NoDirectiveChangesNothing", "readme 0000 = FF ;", std::nullopt},
        RunCase{"WorkedExample",
                "readme " + kT +
                    "0001 = FF ; 0003 = 80XX7F ; 0008 to 0009 = 00 ;"
                    " 000F =bit 1XXXXXX0 ; #end",
                std::nullopt,
                Target({{1, 0xFF}, {3, 0x80}, {5, 0x7F}, {8, 0}, {9, 0}, {15, 0x8E}})},
        RunCase{"LowerCaseDigits", kT + "0000 = ff ; #end", std::nullopt, Target({{0, 0xFF}})},
        RunCase{"FreeTextBetweenSections",
                kT + "0000 = 11 ; #end 1A3 FF; #PATH ; " + kU + "0000 = 22 ; #end junk",
                std::nullopt, Target({{0, 0x11}}), Target({{0, 0x22}})},
        RunCase{"NestedDirective", kT + "0000 = 11 ; " + kU + "#end", 3},
        RunCase{"CapitalDirectiveInSection", kT + "0000 = 11 ; #END", 3},
        RunCase{"MissingEndAfterChange", kT + "0000 = 11 ;", 5},
        RunCase{"MissingEndWithoutChange", kT + "0000 = XX ;", std::nullopt},
        RunCase{"UnquotedTarget", "#path t.bin 0000 = 11 ; #end", 3},
        RunCase{"DriveWithoutFolder", "#path \"C:t.bin\" #end", 2},
        RunCase{"MissingTarget", "#path \"none.bin\" #end", 2},
        RunCase{"EmptyTarget", "#path \"\" #end", 2},
        RunCase{"ValueJoinedToTerminator", kT + "0000 = 11; #end", 3},
        RunCase{"OddAddress", kT + "000 = 11 ; #end", 3},
        RunCase{"UnknownShape", kT + "0000 0001 = 11 ; #end", 3},
        RunCase{"ByteThatIsNoNumber", kT + "0000 = x5 ; #end", 3},
        RunCase{"AddressOverEightDigits", kT + "0100000000 = 11 ; #end", 3},
        RunCase{"AddressWithLeadingZeros", kT + "00000000000F = 11 ; #end", std::nullopt,
                Target({{15, 0x11}})},
        RunCase{"FillOfTheWholeAddressRange", kT + "00000000 to FFFFFFFF = 00 ; #end", std::nullopt,
                std::string(16, '\0')},
        RunCase{"SetBytesPastTheEnd", kT + "000F = 1122 ; #end", 3},
        RunCase{"BitRangePastTheEnd", kT + "000E to 0010 =bit 11111111 ; #end", 3},
        RunCase{"EndInsideStatement", kT + "0000 = #end", 3},
        RunCase{"EndAfterKeywordOnly", kT + "0000 = 11 ; dword #end", 3},
        RunCase{"SectionWithoutTarget", "#path 0000 = XX ; #end", 4},
        RunCase{"LaterSectionWithoutTarget", kT + "0000 = 11 ; #end #path 0001 = 22 ; #end", 4,
                Target({{0, 0x11}})},
        RunCase{"LaterSectionFails", kT + "0000 = 11 ; #end " + kU + "0000 = 22 ; 0000 = ZZ ; #end",
                3, Target({{0, 0x11}})},
        RunCase{"SecondTargetReplacesFirst", kT + "0000 = 11 ; #end " + kU + "0001 = 22 ; #end",
                std::nullopt, Target({{0, 0x11}}), Target({{1, 0x22}})},
        RunCase{"DialogStatementInSection", kT + "dialog \"\"t|n|d|p|\"\" ; #end", 3},
        RunCase{"RegistryStatementInPathSection", kT + "dword 01 ; #end", 3},
        RunCase{"DigitsAfterDecFolderAreHex", "#path \"my_dec\\\\t.bin\" 00 = AA ; #end",
                std::nullopt, Target({{0, 0xAA}})},
        RunCase{"CancelledDialog", "#path dialog \"t|n|d|p|\" 0000 = 11 ; #end", 6},
        RunCase{"BadDialogSpec", "#path dialog \"t|n|d|\" #end", 2}),
    [](const testing::TestParamInfo<RunCase>& info) { return info.param.name; });

TEST(RunLoopUnits, NoUnitsIsReasonOne) {
  CParseScript script(QuopraStatements());
  CRecordingHost host;
  try {
    RunUnits(script, host);
    ADD_FAILURE() << "Run returned";
  } catch (const CParseScriptException& failure) {
    EXPECT_EQ(failure.GetReason(), NoUnits);
  }
}

TEST(RunLoopTarget, ReadOnlyTargetIsReasonTwo) {
  TempFolder folder;
  MakeReadOnly(folder.Write("t.bin", Target()));
  EXPECT_EQ(RunScriptText(folder, "#path \"t.bin\" 0000 = 11 ; #end"), 2);
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")), Target());
}

// Runs in the current folder and changes back on every path.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CurrentFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(RunLoopTarget, RelativeScriptTakesTargetFromCurrentFolder) {
  TempFolder folder;
  folder.Write("t.bin", Target());
  folder.Write("s.qpx", "#path \"elsewhere\\\\t.bin\" 0000 = 11 ; #end");
  CurrentFolder here(folder.Path());
  CScriptFile script(QuopraStatements());
  ASSERT_NE(script.Load("s.qpx"), 0);
  EXPECT_EQ(script.scriptPath, "s.qpx");
  CRecordingHost host;
  RunUnits(script, host);
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")), Target({{0, 0x11}}));
}

// Lowers the address-space limit for the life of the object.
class AddressSpaceLimit {
 public:
  explicit AddressSpaceLimit(rlim_t bytes) {
    getrlimit(RLIMIT_AS, &previous_);
    if (kUnderAddressSanitizer) return;  // it refuses such allocations itself
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_AS, &lowered);
  }
  ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &previous_); }

 private:
  rlimit previous_{};
};

TEST(RunLoopTarget, TargetTooLargeForMemoryIsReasonTwo) {
  if (kUnderAddressSanitizer) {
    // Large images are mapped straight from the system, where the
    // sanitizer's own allocation limit does not apply, and its shadow
    // memory rules out a lower address-space limit.
    GTEST_SKIP() << "no address-space limit under AddressSanitizer";
  }
  TempFolder folder;
  std::string big = folder.Write("big.bin", "");
  ASSERT_EQ(truncate(big.c_str(), off_t{3} << 30), 0);  // sparse, 3 GiB
  CScriptFile script(QuopraStatements());
  ASSERT_NE(script.Load(folder.Write("s.qpx", "#path \"big.bin\" 0000 = 11 ; #end")), 0);
  std::optional<int> reason;
  {
    AddressSpaceLimit limit(rlim_t{1} << 30);
    CRecordingHost host;
    try {
      RunUnits(script, host);
    } catch (const CParseScriptException& failure) {
      reason = failure.GetReason();
    }
  }
  EXPECT_EQ(reason, 2);
}

// Everything outside the interpreter goes through its host: the targets
// loaded and saved, the dialog's file, the registry value, the sections
// and where the units ran out.
TEST(RunLoopHost, AsksTheHostForEverythingOutsideTheInterpreter) {
  TempFolder folder;
  const std::string t = folder.Write("t.bin", Target());
  const std::string u = folder.Write("u.bin", Target());
  CRecordingHost host;
  host.dialogAnswers.push_back(u);
  EXPECT_EQ(RunScriptText(folder,
                          "#path \"t.bin\" 0000 = 11 ; #end #path dialog \"Pick|u.bin|D|*.*|\" "
                          "0001 = 22 ; #end #registry \"HKEY_USERS\\\\K\\\\V\" dword 0100 ; #end",
                          host),
            std::nullopt);
  EXPECT_EQ(host.loaded, (std::vector<std::string>{t, u}));
  EXPECT_EQ(host.saved, (std::vector<std::string>{t, u}));
  EXPECT_EQ(host.dialogTitles, std::vector<std::string>{"Pick"});
  ASSERT_EQ(host.values.size(), 1u);
  EXPECT_EQ(host.values[0].root, platform::kHkeyUsers);
  EXPECT_EQ(host.values[0].name, "V");
  EXPECT_EQ(host.values[0].data, std::string("\0\1\0\0", 4));
  EXPECT_EQ(host.events, (std::vector<std::string>{"#path " + t, "end", "#path " + u, "end",
                                                   "#registry HKEY_USERS\\K\\V", "end"}));
  ASSERT_TRUE(host.unitsEnd.has_value());
  EXPECT_EQ(host.unitsEnd->openDirective, UnitsEnd::kNone);
  EXPECT_TRUE(host.failures.empty() && host.questions.empty());
  EXPECT_EQ(ReadFileBytes(u), Target({{1, 0x22}}));
}

struct LineCase {
  const char* name;
  std::string script;
  size_t failureLine;  // 0: the run completes
  UnitsEnd end;        // the lines alone
};

class RunLoopLines : public StandInTest, public testing::WithParamInterface<LineCase> {};

// The failure and the end of the units carry the lines of their units,
// also after statements read the fast way.
TEST_P(RunLoopLines, AreTheLinesOfTheUnitsBlamed) {
  TempFolder folder;
  folder.Write("t.bin", Target());
  CScriptFile script(QuopraStatements());
  ASSERT_TRUE(script.Load(folder.Write("s.qpx", GetParam().script)));
  CRecordingHost host;
  std::optional<RunFailure> failure = RunScript(script, host);
  EXPECT_EQ(failure ? failure->line : 0, GetParam().failureLine);
  ASSERT_TRUE(host.unitsEnd || failure);
  if (!host.unitsEnd) return;
  EXPECT_EQ(host.unitsEnd->openDirectiveLine, GetParam().end.openDirectiveLine);
  EXPECT_EQ(host.unitsEnd->pendingStatementLine, GetParam().end.pendingStatementLine);
  EXPECT_EQ(host.unitsEnd->lastLine, GetParam().end.lastLine);
}

UnitsEnd Lines(size_t openDirective, size_t pendingStatement, size_t last) {
  UnitsEnd end;
  end.openDirectiveLine = openDirective;
  end.pendingStatementLine = pendingStatement;
  end.lastLine = last;
  return end;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, RunLoopLines,
    testing::Values(
        LineCase{"StorePastTheEndAfterFastStatements",
                 "#path \"t.bin\"\n00 = 01 ;\r\n01 = 02 ;\r02 = 03 ;\n\n0010\n=\n11\n;\n#end", 9, {}},
        LineCase{"FastStatementsUpToTheEnd", "\n#path \"t.bin\"\n00 = 01 ;\n01 = 02 ;\n02 = 03 ;\n\n", 2,
                 Lines(2, 0, 5)},
        LineCase{"UnfinishedRegistryStatement",
                 "#registry \"HKEY_USERS\\\\a\\\\b\"\ndword\r\n\r\n01", 4, Lines(1, 2, 4)},
        LineCase{"CompleteScript", "#path \"t.bin\" 00 = 01 ; 01 = 02 ;\n#end\nfree\ntext", 0,
                 Lines(0, 0, 4)},
        LineCase{"RejectedUnitAfterFastStatements", "#path \"t.bin\" 00 = 01 ; 01 = 02 ;\n\nzz", 3, {}}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

// A registry value the host refuses fails its statement.
TEST(RunLoopHost, RefusedRegistryValueIsAScriptError) {
  TempFolder folder;
  CRecordingHost host;
  host.registryWrites = false;
  EXPECT_EQ(RunScriptText(folder, "#registry \"HKEY_USERS\\\\K\\\\V\" dword 01 ; #end", host),
            ScriptError);
  EXPECT_TRUE(host.values.empty());
}

// Another program writes the target while the section works on it: the
// run ends with reason 4 at "#end", and the other program's bytes stay.
TEST(RunLoopTarget, TargetChangedBetweenLoadAndSaveIsNotWritten) {
  TempFolder folder;
  const std::string target = folder.Write("t.bin", Target());
  CRecordingHost host;
  host.atSectionStart = [](const std::string& path) { WriteFileBytes(path, "the other program's"); };
  EXPECT_EQ(RunScriptText(folder, "#path \"t.bin\" 0000 = 11 ; #end", host), SaveFailed);
  EXPECT_EQ(ReadFileBytes(target), "the other program's");
}

}  // namespace
