#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "console/CheckReport.h"
#include "console/ConsoleHost.h"
#include "interpreter/RunLoop.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "tests/standin/StandIn.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr size_t kUnknown = CParseScriptException::kUnknownUnit;

struct Outcome {
  std::optional<int32_t> reason;  // nothing: the run completed
  size_t unit = kUnknown;
};

// Runs script text written beside a 16-byte target "t.bin" of bytes 00 to 0F.
class ConsoleRun : public testing::Test {
 protected:
  void SetUp() override {
    platform::standin::Reset();
    std::string bytes;
    for (char value = 0; value < 16; ++value) bytes += value;
    target_ = folder_.Write("t.bin", bytes);
  }

  Outcome Run(const std::string& text, CRunHost& host) {
    CScriptFile script(QuopraStatements());
    EXPECT_NE(script.Load(folder_.Write("s.qpx", text)), 0) << text;
    try {
      RunUnits(script, host);
    } catch (const CParseScriptException& failure) {
      return {failure.GetReason(), failure.GetUnit()};
    }
    return {};
  }

  // A check with a registry present, whose dialogs are cancelled as qpx
  // check's are without --target or a terminal.
  CDryRunHost CheckHost(bool hasRegistry = true) {
    return CDryRunHost(world_, checkImage_, DialogFiles::kAsked, hasRegistry);
  }
  CConsoleHost RunHost(TargetChooser chooser = nullptr) {
    return CConsoleHost(script_, std::move(chooser), Language::kEnglish, err_);
  }

  TempFolder folder_;
  std::string target_;
  CDryRunImage checkImage_;
  CRecordingHost world_;  // answers no dialog
  CScriptFile script_{QuopraStatements()};
  COutput err_{platform::StdStream::kError};
};

struct CountCase {
  const char* name;
  std::string statements;
  uint64_t changed;
  uint64_t already;
  std::string_view state;
};

class CheckCounts : public ConsoleRun, public testing::WithParamInterface<CountCase> {};

TEST_P(CheckCounts, CountsBytesThatWouldChangeAndBytesAlreadyApplied) {
  CDryRunHost host = CheckHost();
  std::string before = ReadFileBytes(target_);
  Outcome outcome = Run("#path \"t.bin\" " + GetParam().statements + " #end", host);
  EXPECT_FALSE(outcome.reason.has_value());
  ASSERT_EQ(host.Sections().size(), 1u);
  const SectionReport& section = host.Sections()[0];
  EXPECT_TRUE(section.ended);
  EXPECT_EQ(section.target, target_);
  EXPECT_EQ(section.counts.changed, GetParam().changed);
  EXPECT_EQ(section.counts.already, GetParam().already);
  EXPECT_EQ(AppliedState(section.counts, Language::kEnglish), GetParam().state);
  EXPECT_EQ(ReadFileBytes(target_), before);  // a check writes nothing
}

INSTANTIATE_TEST_SUITE_P(
    Statements, CheckCounts,
    testing::Values(
        CountCase{"AllNew", "0000 = FF ; 0002 = EEDD ;", 3, 0, "not applied"},
        CountCase{"AllPresent", "0001 = 01 ; 0004 = 0405 ;", 0, 3, "already applied"},
        CountCase{"Mixed", "0001 = 01 ; 0002 = FF ;", 1, 1, "partly applied"},
        CountCase{"WildcardsStoreNothing", "0000 = XX01XX ;", 0, 1, "already applied"},
        CountCase{"SameByteTwiceCountsOnce", "0000 = 11 ; 0000 = 22 ;", 1, 0, "not applied"},
        CountCase{"StoredBackToItsValue", "0003 = 11 ; 0003 = 03 ;", 0, 1, "already applied"},
        CountCase{"FillClippedAtTheEnd", "000E to 0020 = 0E ;", 1, 1, "partly applied"},
        CountCase{"BitsKeptCountAsApplied", "0001 =bit XXXXXXX1 ;", 0, 1, "already applied"},
        CountCase{"BitsChanged", "0001 =bit 1XXXXXXX ;", 1, 0, "not applied"}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

TEST_F(ConsoleRun, CheckAfterRunReportsTheScriptAsAlreadyApplied) {
  const std::string text = "#path \"t.bin\" 0000 = FF ; 0008 to 000B = AABB ; #end";
  CConsoleHost run = RunHost();
  ASSERT_FALSE(Run(text, run).reason.has_value());
  CDryRunHost check = CheckHost();
  ASSERT_FALSE(Run(text, check).reason.has_value());
  EXPECT_EQ(check.Sections().at(0).counts.changed, 0u);
  EXPECT_EQ(check.Sections().at(0).counts.already, 5u);
}

TEST_F(ConsoleRun, EachSectionCountsOnlyItsOwnStores) {
  CDryRunHost host = CheckHost();
  Run("#path \"t.bin\" 0000 = FF ; #end #path \"t.bin\" 0001 = 01 ; #end", host);
  ASSERT_EQ(host.Sections().size(), 2u);
  EXPECT_EQ(host.Sections()[0].counts.changed, 1u);
  EXPECT_EQ(host.Sections()[1].counts.changed, 0u);
  EXPECT_EQ(host.Sections()[1].counts.already, 1u);
}

// A later section on the same target sees what an earlier one would have
// saved, as in a run, while the file itself stays as it was.
TEST_F(ConsoleRun, LaterSectionsSeeWhatEarlierSectionsWouldSave) {
  CDryRunHost host = CheckHost();
  std::string before = ReadFileBytes(target_);
  Run("#path \"t.bin\" 0000 = FF ; #end #path \"t.bin\" 0000 = FF ; 0001 = EE ; #end", host);
  ASSERT_EQ(host.Sections().size(), 2u);
  EXPECT_EQ(host.Sections()[0].counts.changed, 1u);
  EXPECT_EQ(host.Sections()[1].counts.changed, 1u);
  EXPECT_EQ(host.Sections()[1].counts.already, 1u);
  EXPECT_EQ(ReadFileBytes(target_), before);
}

// Stray "#end" lines before the first section open none.
TEST_F(ConsoleRun, StrayEndsBeforeTheFirstSectionAreNoSections) {
  CDryRunHost host = CheckHost();
  EXPECT_FALSE(Run("#end\n#end\n#path \"t.bin\" 0000 = FF ; #end", host).reason.has_value());
  ASSERT_EQ(host.Sections().size(), 1u);
  EXPECT_EQ(host.Sections()[0].counts.changed, 1u);
}

TEST_F(ConsoleRun, CheckRecordsRegistryValuesWithoutWritingThem) {
  CDryRunHost host = CheckHost();
  Outcome outcome =
      Run("#registry \"HKEY_CURRENT_USER\\\\Software\\\\Q\\\\V\" dword_dec 100 ; #end", host);
  EXPECT_FALSE(outcome.reason.has_value());
  EXPECT_TRUE(platform::standin::Recorder().registryWrites.empty());
  ASSERT_EQ(host.Sections().size(), 1u);
  ASSERT_EQ(host.Sections()[0].values.size(), 1u);
  EXPECT_EQ(host.Sections()[0].values[0].path, "HKEY_CURRENT_USER\\Software\\Q\\V");
  EXPECT_EQ(DescribeValue(host.Sections()[0].values[0]), "REG_DWORD 100 (0x00000064)");
}

// Without a registry, run and check fail at the registry statement with
// nothing written; a section before it has been saved (run) as usual.
TEST_F(ConsoleRun, WithoutARegistryTheRegistryStatementFails) {
  const std::string text =
      "#path \"t.bin\" 0000 = FF ; #end #registry \"HKEY_USERS\\\\S\\\\V\" binary 0A0B ; #end";
  CConsoleHost run = RunHost();
  CDryRunHost check = CheckHost(false);
  for (CRunHost* host : std::initializer_list<CRunHost*>{&run, &check}) {
    Outcome outcome = Run(text, *host);
    EXPECT_EQ(outcome.reason, ScriptError);
    EXPECT_EQ(outcome.unit, 11u);  // the ";" of the registry statement
    EXPECT_TRUE(platform::standin::Recorder().registryWrites.empty());
  }
  EXPECT_TRUE(run.RegistryMissing() && check.RegistryMissing());
  EXPECT_EQ(ReadFileBytes(target_)[0], '\xFF');
}

TEST_F(ConsoleRun, DialogTargetComesFromTheChooserWithoutAnyDialog) {
  std::string asked;
  CConsoleHost host = RunHost([&](const DialogRequest& request, std::string& chosen) {
    asked = request.title + "|" + request.fileName;
    chosen = target_;
    return FileChoice::kChosen;
  });
  Outcome outcome = Run("#path dialog \"Pick\\sone|t.bin|Data|*.bin|\" 0000 = 77 ; #end", host);
  EXPECT_FALSE(outcome.reason.has_value());
  EXPECT_EQ(asked, "Pick one|t.bin");
  EXPECT_TRUE(platform::standin::Recorder().dialogs.empty());
  EXPECT_EQ(ReadFileBytes(target_)[0], '\x77');
}

TEST_F(ConsoleRun, DialogWithoutAnAnswerIsACancellation) {
  CConsoleHost host = RunHost();
  Outcome outcome = Run("#path dialog \"T|n|D|*.*|\" 0000 = 77 ; #end", host);
  EXPECT_EQ(outcome.reason, Cancelled);
  EXPECT_EQ(outcome.unit, 2u);
  EXPECT_TRUE(platform::standin::Recorder().dialogs.empty());
}

// A dry run without a chooser (qpxrun's list of what a downloaded script
// changes) takes a dialog section's file as unknown and goes on to the
// sections after it; nothing is shown, stored or written.
TEST_F(ConsoleRun, DryRunWithoutAChooserGoesOnPastADialogSection) {
  CDryRunImage image;
  CDryRunHost host(world_, image, DialogFiles::kUnknown, true);
  Outcome outcome =
      Run("#path dialog \"T|n|D|*.*|\" 0000 = 77 ; 0000 to FFFFFFFF = 00 ; #end "
          "#registry \"HKEY_CURRENT_USER\\\\Software\\\\Q\\\\V\" string \"a\\sb\" ; #end",
          host);
  EXPECT_FALSE(outcome.reason.has_value());
  ASSERT_EQ(host.Sections().size(), 2u);
  EXPECT_EQ(host.Sections()[0].target, "");
  EXPECT_TRUE(host.Sections()[0].ended);
  ASSERT_EQ(host.Sections()[1].values.size(), 1u);
  EXPECT_EQ(DescribeValue(host.Sections()[1].values[0]), "REG_SZ \"a b\"");
  EXPECT_TRUE(platform::standin::Recorder().dialogs.empty());
  EXPECT_TRUE(platform::standin::Recorder().registryWrites.empty());
}

struct UnitCase {
  const char* name;
  std::string text;
  int32_t reason;
  size_t unit;
};

class FailingUnit : public ConsoleRun, public testing::WithParamInterface<UnitCase> {};

// The failure names the unit being read, or the directive of a section
// left without "#end", or the last unit of an unfinished statement; the
// same in a run and in a check.
TEST_P(FailingUnit, IsTheUnitBeingReadWhenTheRunStopped) {
  for (bool dry : {false, true}) {
    CRecordingHost run;
    CDryRunHost check = CheckHost();
    Outcome outcome = Run(GetParam().text, dry ? static_cast<CRunHost&>(check) : run);
    EXPECT_EQ(outcome.reason, GetParam().reason);
    EXPECT_EQ(outcome.unit, GetParam().unit);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FailingUnit,
    testing::Values(
        UnitCase{"RejectedUnit", "x #path \"t.bin\" 0000 = FF ; 01A3 = 1 ; #end", ScriptError, 9},
        UnitCase{"UnknownShape", "#path \"t.bin\" 0000 FF ; #end", ScriptError, 4},
        UnitCase{"StoreBeyondTheEnd", "#path \"t.bin\" 0010 = FF ; #end", ScriptError, 5},
        UnitCase{"MissingTarget", "#path \"none.bin\" #end", TargetOpenFailed, 1},
        UnitCase{"NoEnd", "#path \"t.bin\" 0000 = 00 ; #end #path \"t.bin\" 0000 = FF ;",
                 NoEndDirective, 7},
        UnitCase{"UnfinishedRegistryStatement", "#registry \"HKEY_USERS\\\\a\\\\b\" dword 01",
                 ScriptError, 3},
        UnitCase{"SectionWithoutTarget", "#path 0000 = XX ; #end", SaveFailed, 5}),
    [](const testing::TestParamInfo<UnitCase>& info) { return std::string(info.param.name); });

TEST(CheckReport, DescribesEverySectionWithItsState) {
  std::vector<SectionReport> sections = {{"#path", "a.bin", {2, 1}, {}, true},
                                         {"#registry",
                                          "HKEY_USERS\\S\\V",
                                          {},
                                          {{"HKEY_USERS\\S\\V", 1, std::string("a b\0", 4)}},
                                          true},
                                         {"#path", "b.bin", {0, 0}, {}, false}};
  EXPECT_EQ(BuildCheckReport(sections, {}, Language::kEnglish),
            "#path \"a.bin\"\n"
            "  2 bytes would change, 1 already hold their new value: partly applied\n"
            "#registry \"HKEY_USERS\\S\\V\"\n"
            "  would write REG_SZ \"a b\"\n"
            "#path \"b.bin\"\n"
            "  0 bytes would change, 0 already hold their new value: already applied\n"
            "  the run stops before this section's #end\n");
}

TEST(CheckReport, DescribesBinaryValuesByteByByte) {
  EXPECT_EQ(DescribeValue({"p", 3, std::string("\x0A\xFF\x00", 3)}), "REG_BINARY 0A FF 00");
}

}  // namespace
