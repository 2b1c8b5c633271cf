#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "language/Statement.h"
#include "qpxrun/RunnerHost.h"
#include "statements/RegistryStatements.h"
#include "tests/standin/StandIn.h"
#include "tests/support/ScriptRun.h"

namespace {

using platform::standin::Recorder;
using Handler = HandlerResult (*)(CRunHost&, CStatement&);

const std::string kPath = "HKEY_CURRENT_USER\\Software\\Vendor\\App\\Value";

struct ValueCase {
  std::string name;
  Handler handler;
  std::string value;
  std::optional<std::string> data;  // nothing: the statement fails, nothing is written
  uint32_t type = 0;
};

std::string Dword(uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift);
  return bytes;
}

class RegistryValue : public StandInTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryValue, WritesExactDataAndClosesTheKey) {
  const ValueCase& c = GetParam();
  CRunnerHost host;
  CStatement statement;
  statement.operands = {kPath, c.value};
  EXPECT_EQ(c.handler(host, statement), c.data ? HandlerResult::kDone : HandlerResult::kFailed);
  EXPECT_EQ(Recorder().openKeys, 0);
  if (!c.data) {
    EXPECT_TRUE(Recorder().registryWrites.empty());
    return;
  }
  ASSERT_EQ(Recorder().registryWrites.size(), 1u);
  const auto& write = Recorder().registryWrites.front();
  EXPECT_EQ(write.root, platform::kHkeyCurrentUser);
  EXPECT_EQ(write.subkey, "Software\\Vendor\\App");
  EXPECT_EQ(write.valueName, "Value");
  EXPECT_EQ(write.options, platform::kRegOptionNonVolatile);
  EXPECT_EQ(write.access, platform::kKeyAllAccess);
  EXPECT_EQ(write.type, c.type);
  EXPECT_EQ(write.data, *c.data);
}

using platform::kRegBinary, platform::kRegDword, platform::kRegSz;

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryValue,
    testing::Values(
        ValueCase{"Binary", HandleBinaryValue, "0A0B0C", "\x0A\x0B\x0C", kRegBinary},
        ValueCase{"BinaryLowerCase", HandleBinaryValue, "0a0b0c", "\x0A\x0B\x0C", kRegBinary},
        ValueCase{"BinaryOddDigits", HandleBinaryValue, "ABC", std::nullopt},
        ValueCase{"String", HandleStringValue, "\"a\\sb\"", std::string("a b\0", 4), kRegSz},
        ValueCase{"StringJapanese", HandleStringValue, "\"表\\\\\"", std::string("表\\\0", 4),
                  kRegSz},
        ValueCase{"StringUnquoted", HandleStringValue, "\"ab", std::nullopt},
        ValueCase{"Dword", HandleDwordValue, "0100", Dword(256), kRegDword},
        ValueCase{"DwordEightDigits", HandleDwordValue, "00000100", Dword(256), kRegDword},
        ValueCase{"DwordLooksDecimal", HandleDwordValue, "1000", Dword(4096), kRegDword},
        ValueCase{"DwordHighest", HandleDwordValue, "ffffffff", Dword(0xFFFFFFFF), kRegDword},
        ValueCase{"DwordTenDigits", HandleDwordValue, "0000000001", std::nullopt},
        ValueCase{"DwordNoNumber", HandleDwordValue, "zz", std::nullopt},
        ValueCase{"DwordPrefixOnly", HandleDwordValue, "0x", std::nullopt},
        ValueCase{"Decimal", HandleDecimalDwordValue, "5", Dword(5), kRegDword},
        ValueCase{"DecimalLeadingZeros", HandleDecimalDwordValue, "0012", Dword(12), kRegDword},
        ValueCase{"DecimalNineDigits", HandleDecimalDwordValue, "999999999", Dword(999999999),
                  kRegDword},
        ValueCase{"DecimalTenDigits", HandleDecimalDwordValue, "1000000000", std::nullopt},
        ValueCase{"DecimalSign", HandleDecimalDwordValue, "-1", std::nullopt}),
    [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

struct FailureCase {
  std::string name;
  std::vector<std::string> operands;
  long failCreate = 0;
  long failSet = 0;
};

class RegistryFailure : public StandInTest, public testing::WithParamInterface<FailureCase> {};

// Stands for each handler's own valid value in an operand list.
const std::string kValue = "<value>";

TEST_P(RegistryFailure, FailsWithoutWritingAndLeavesNoKeyOpen) {
  const std::pair<Handler, std::string> handlers[] = {{HandleBinaryValue, "01"},
                                                      {HandleStringValue, "\"s\""},
                                                      {HandleDwordValue, "01"},
                                                      {HandleDecimalDwordValue, "1"}};
  for (const auto& [handler, value] : handlers) {
    platform::standin::Reset();
    Recorder().failRegCreate = GetParam().failCreate;
    Recorder().failRegSet = GetParam().failSet;
    CRunnerHost host;
    CStatement statement;
    for (const std::string& operand : GetParam().operands) {
      statement.operands.push_back(operand == kValue ? value : operand);
    }
    EXPECT_EQ(handler(host, statement), HandlerResult::kFailed) << value;
    EXPECT_TRUE(Recorder().registryWrites.empty());
    EXPECT_EQ(Recorder().openKeys, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Failures, RegistryFailure,
                         testing::Values(FailureCase{"ValueOnly", {kValue}},
                                         FailureCase{"ThreeOperands", {kPath, kPath, kValue}},
                                         FailureCase{"UnknownRoot", {"HKCU\\Software\\V", kValue}},
                                         FailureCase{"CreateFails", {kPath, kValue}, 5},
                                         FailureCase{"SetFails", {kPath, kValue}, 0, 5}),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                           return info.param.name;
                         });

struct SectionCase {
  std::string name;
  std::string script;
  std::optional<int> reason;
  size_t writes;
};

class RegistrySection : public StandInTest, public testing::WithParamInterface<SectionCase> {};

TEST_P(RegistrySection, WritesOneValuePerSectionAndKeepsIt) {
  TempFolder folder;
  Recorder().dialogAnswers.push_back(folder.Write("t.bin", "abc"));
  EXPECT_EQ(RunScriptText(folder, GetParam().script), GetParam().reason);
  EXPECT_EQ(Recorder().registryWrites.size(), GetParam().writes);
  EXPECT_EQ(Recorder().openKeys, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("t.bin")), "abc");
}

const std::string kSection = "#registry \"HKEY_CURRENT_USER\\\\Software\\\\App\\\\V\" ";

INSTANTIATE_TEST_SUITE_P(
    Sections, RegistrySection,
    testing::Values(
        SectionCase{"OneStatement", kSection + "dword_dec 100 ; #end", std::nullopt, 1},
        SectionCase{"WithoutFinalEnd", kSection + "dword 0100 ;", std::nullopt, 1},
        SectionCase{"SecondStatementLacksPath", kSection + "dword 01 ; dword 02 ; #end", 3, 1},
        SectionCase{"UnfinishedAtScriptEnd", kSection + "dword 01", 3, 0},
        SectionCase{"OddBinary", kSection + "binary ABC ; #end", 3, 0},
        SectionCase{"EmptyString", kSection + "string \"\" ; #end", 3, 0},
        SectionCase{"EmptyValuePath", "#registry \"\" dword 01 ; #end", 2, 0},
        SectionCase{"SingleBackslashesDecodeBadly",
                    "#registry \"HKEY_CURRENT_USER\\software\\tool\\Name\" dword 01 ; #end", 3, 0},
        SectionCase{"UnusedPathDoesNotJoinNextSection",
                    kSection + "#end #registry dword 0100 ; #end", 3, 0},
        SectionCase{
            "LaterSectionFailureKeepsValue",
            kSection + "string \"x_dec\" ; #end #path \"t.bin\" 0000 = 41 ; 0000 = ZZ ; #end", 3,
            1},
        SectionCase{"DialogAfterRegistryLeavesNoPath",
                    "#registry dialog \"t|n|d|p|\" dword 01 ; #end", 3, 0}),
    [](const testing::TestParamInfo<SectionCase>& info) { return info.param.name; });

class RegistryScript : public StandInTest {};

TEST_F(RegistryScript, TrailingBackslashWritesTheDefaultValue) {
  TempFolder folder;
  EXPECT_EQ(RunScriptText(folder, "#registry \"HKEY_USERS\\\\Key\\\\\" dword_dec 0100 ; #end"),
            std::nullopt);
  ASSERT_EQ(Recorder().registryWrites.size(), 1u);
  EXPECT_EQ(Recorder().registryWrites[0].subkey, "Key");
  EXPECT_EQ(Recorder().registryWrites[0].valueName, "");
  EXPECT_EQ(Recorder().registryWrites[0].data, Dword(100));
}

TEST_F(RegistryScript, SingleBackslashWritesDirectlyUnderTheRoot) {
  TempFolder folder;
  EXPECT_EQ(RunScriptText(folder, "#registry \"HKEY_CURRENT_USER\\\\Mode\" dword 01 ; #end"),
            std::nullopt);
  ASSERT_EQ(Recorder().registryWrites.size(), 1u);
  EXPECT_EQ(Recorder().registryWrites[0].root, platform::kHkeyCurrentUser);
  EXPECT_EQ(Recorder().registryWrites[0].subkey, "");
  EXPECT_EQ(Recorder().registryWrites[0].valueName, "Mode");
}

}  // namespace
