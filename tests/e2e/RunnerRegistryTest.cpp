// qpxrun under Wine: the registry statements write real values into Wine's
// registry, read back afterwards by the driver.
#include <gtest/gtest.h>

#include "CaseFolder.h"
#include "Runner.h"

namespace e2e {
namespace {

constexpr char kRoot[] = "HKEY_CURRENT_USER";
constexpr int kRegSz = 1;
constexpr int kRegBinary = 3;
constexpr int kRegDword = 4;

// The script's way of writing a registry value path: backslashes doubled.
std::string Escaped(const std::string& path) {
  std::string escaped;
  for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return escaped;
}

struct ValueCase {
  const char* name;
  std::string subkey;     // under HKEY_CURRENT_USER; empty: directly under the root
  std::string valueName;  // empty: the key's default value
  std::string statement;
  int type;
  std::string data;
};

class RunnerRegistryValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(RunnerRegistryValue, WritesTheValue) {
  const ValueCase& value = GetParam();
  CaseFolder folder;
  std::string key =
      value.subkey.empty() ? std::string(kRoot) : std::string(kRoot) + "\\" + value.subkey;
  folder.Write("a.qpx", "#registry \"" + Escaped(key + "\\" + value.valueName) + "\"\r\n" +
                            value.statement + " ;\r\n#end\r\n");
  DriverRun run = RunDriver({"launch", RunnerExe(), folder.Win(), folder.Win("a.qpx"), "exit",
                             "regvalue", key, value.valueName});
  ExpectSilentRun(run);
  EXPECT_EQ(run.transcript.Word("regvalue"), std::to_string(value.type)) << run.output;
  EXPECT_EQ(run.transcript.Text("regvalue", 2), value.data) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RunnerRegistryValue,
    ::testing::Values(ValueCase{"binary", "Software\\QpxE2e\\binary", "Data", "binary 0A0B0C",
                                kRegBinary, "\x0A\x0B\x0C"},
                      ValueCase{"binary_lower_case", "Software\\QpxE2e\\lower", "Data",
                                "binary 0a0bff", kRegBinary, "\x0A\x0B\xFF"},
                      ValueCase{"string_with_escapes", "Software\\QpxE2e\\string", "Text",
                                "string \"a\\sb\\tc\\\\d\"", kRegSz, std::string("a b\tc\\d\0", 8)},
                      ValueCase{"string_japanese", "Software\\QpxE2e\\japanese", "名前",
                                "string \"日本語\"", kRegSz, std::string("日本語") + '\0'},
                      ValueCase{"dword_hex", "Software\\QpxE2e\\dword", "Count", "dword 1000",
                                kRegDword, std::string("\x00\x10\x00\x00", 4)},
                      ValueCase{"dword_leading_zeros", "Software\\QpxE2e\\dword0", "Count",
                                "dword 00000100", kRegDword, std::string("\x00\x01\x00\x00", 4)},
                      ValueCase{"dword_dec", "Software\\QpxE2e\\dec", "Count",
                                "dword_dec 999999999", kRegDword, "\xFF\xC9\x9A\x3B"},
                      ValueCase{"dword_dec_single_digit", "Software\\QpxE2e\\dec5", "Count",
                                "dword_dec 5", kRegDword, std::string("\x05\x00\x00\x00", 4)},
                      // ソ, 表 and 能 end in the byte 0x5C: their names reach the
                      // registry whole.
                      ValueCase{"trail_byte_names", "Software\\QpxE2e\\ソフト\\表", "性能",
                                "dword_dec 7", kRegDword, std::string("\x07\x00\x00\x00", 4)},
                      ValueCase{"default_value", "Software\\QpxE2e\\default", "",
                                "string \"standard\"", kRegSz, std::string("standard") + '\0'},
                      ValueCase{"directly_under_the_root", "", "QpxE2eRootValue", "dword 2A",
                                kRegDword, std::string("\x2A\x00\x00\x00", 4)}),
    [](const ::testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST(RunnerRegistry, FailingLaterSectionLeavesTheEarlierValueWritten) {
  CaseFolder folder;
  folder.Write("a.qpx",
               "#registry \"HKEY_CURRENT_USER\\\\Software\\\\QpxE2e\\\\kept\\\\Count\" dword_dec 7 "
               "; #end\r\n"
               "#path \"missing.bin\" 0000 = 58 ; #end\r\n");
  DriverRun run =
      RunDriver({"launch", RunnerExe(), folder.Win(), folder.Win("a.qpx"), "msgbox", "OK", "exit",
                 "regvalue", "HKEY_CURRENT_USER\\Software\\QpxE2e\\kept", "Count"});
  ExpectMessage(run, ReasonMessage(2));
  EXPECT_EQ(run.transcript.Text("regvalue", 2), std::string("\x07\x00\x00\x00", 4)) << run.output;
}

struct RefusedCase {
  const char* name;
  std::string script;
  std::string key;  // must stay without the value
  std::string valueName;
};

class RunnerRegistryRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RunnerRegistryRefused, ShowsTheScriptProblemAndWritesNothing) {
  const RefusedCase& refused = GetParam();
  CaseFolder folder;
  folder.Write("a.qpx", refused.script);
  DriverRun run = RunDriver({"launch", RunnerExe(), folder.Win(), folder.Win("a.qpx"), "msgbox",
                             "OK", "exit", "regvalue", refused.key, refused.valueName});
  ExpectMessage(run, ReasonMessage(3));
  EXPECT_EQ(run.transcript.Word("regvalue"), "missing") << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RunnerRegistryRefused,
    ::testing::Values(
        RefusedCase{"abbreviated_root",
                    "#registry \"HKCU\\\\Software\\\\QpxE2e\\\\abbr\\\\V\" dword 01 ; #end",
                    "HKEY_CURRENT_USER\\Software\\QpxE2e\\abbr", "V"},
        RefusedCase{
            "odd_binary",
            "#registry \"HKEY_CURRENT_USER\\\\Software\\\\QpxE2e\\\\odd\\\\V\" binary ABC ; #end",
            "HKEY_CURRENT_USER\\Software\\QpxE2e\\odd", "V"},
        RefusedCase{"dword_of_ten_digits",
                    "#registry \"HKEY_CURRENT_USER\\\\Software\\\\QpxE2e\\\\ten\\\\V\" dword "
                    "0000000001 ; #end",
                    "HKEY_CURRENT_USER\\Software\\QpxE2e\\ten", "V"},
        RefusedCase{"single_backslashes_turn_into_a_space",
                    "#registry \"HKEY_CURRENT_USER\\software\\QpxE2e\\single\\V\" dword 01 ; #end",
                    "HKEY_CURRENT_USER\\software\\QpxE2e\\single", "V"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e
