// qpxdiff's Create script command under Wine: the question, the Save
// dialog, the bytes written, and scripts that qpxrun applies.
#include <gtest/gtest.h>

#include <ostream>

#include "CaseFolder.h"
#include "DiffSession.h"
#include "Runner.h"

namespace e2e::diff {
namespace {

// 0x20 bytes; the copy differs at 0x1A and 0x1F, or also at 0x10 first.
std::string Original() {
  std::string bytes;
  for (int at = 0; at < 0x20; ++at) bytes += static_cast<char>(at * 7);
  return bytes;
}

std::string Changed(bool atTen) {
  std::string bytes = Original();
  if (atTen) bytes[0x10] = '\xEE';
  bytes[0x1A] = '\x00';
  bytes[0x1F] = '\xFF';
  return bytes;
}

// The script path as the script spells it: each \ doubled, spaces as \s.
std::string Escaped(const std::string& path) {
  std::string escaped;
  for (char c : path) escaped += c == '\\' ? std::string("\\\\") : c == ' ' ? "\\s" : std::string(1, c);
  return escaped;
}

struct DirectionCase {
  const char* name;
  const char* answer;
  const char* source;  // the file the script names
  const char* proposed;
  std::vector<std::string> statements;
};

void PrintTo(const DirectionCase& c, std::ostream* os) { *os << c.name; }

class DiffScript : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(DiffScript, WritesTheScriptOfTheChosenDirection) {
  const DirectionCase& c = GetParam();
  CaseFolder folder;
  folder.Write("old file.bin", Original());
  folder.Write("new.bin", Changed(true));
  folder.Write("out/keep", "");
  Steps steps = OpenSteps(folder.Win("old file.bin"), folder.Win("new.bin"));
  Steps create = CreateScriptSteps(c.answer, folder.Win("out\\script.qpx"));
  steps.insert(steps.end(), create.begin(), create.end());
  DriverRun run = RunDiff(steps);
  const Transcript& out = run.transcript;
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(NthText(out, "msgbox.text", 0),
            folder.Win("old file.bin") + "から" + folder.Win("new.bin") +
                "に変更するQuopraファイルを作成しますか？\n逆に作成したい場合は、いいえを選択してください")
      << run.output;
  EXPECT_EQ(NthText(out, "msgbox.caption", 0), "確認");
  EXPECT_EQ(Nth(out, "msgbox.icon", 0), std::vector<std::string>{"question"});
  EXPECT_EQ(Nth(out, "msgbox.buttons", 0), (std::vector<std::string>{"Yes", "No"}));
  EXPECT_EQ(NthText(out, "filedialog.title", 2), "スクリプトに名前をつけて保存");
  EXPECT_EQ(NthText(out, "filedialog.folder", 2), folder.Win()) << run.output;
  EXPECT_EQ(NthText(out, "filedialog.name", 2), c.proposed);
  EXPECT_EQ(NthText(out, "filedialog.filter", 2, 0), "Quopraファイル (*.qpx)");
  EXPECT_EQ(NthText(out, "filedialog.filter", 2, 1), "*.qpx");
  EXPECT_EQ(NthText(out, "msgbox.text", 1), "Quopraファイルを作成しました");
  EXPECT_EQ(NthText(out, "msgbox.caption", 1), "確認");
  EXPECT_EQ(Nth(out, "msgbox.icon", 1), std::vector<std::string>{"exclamation"});
  std::string expected = "#path \"" + Escaped(folder.Win(c.source)) + "\"\r\n";
  for (const std::string& statement : c.statements) expected += "    " + statement + " ;\r\n";
  expected += "#end\r\n";
  expected += '\0';
  EXPECT_EQ(folder.Read("out/script.qpx"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, DiffScript,
    ::testing::Values(DirectionCase{"forward", "Yes", "old file.bin", "old file.qpx",
                                    {"10 = EE", "1A = 00", "1F = FF"}},
                      DirectionCase{"reverse", "No", "new.bin", "new.qpx",
                                    {"10 = 70", "1A = B6", "1F = D9"}}),
    [](const ::testing::TestParamInfo<DirectionCase>& info) { return info.param.name; });

TEST(DiffScriptSave, CancelledSaveWritesNothing) {
  CaseFolder folder;
  folder.Write("a.bin", Original());
  folder.Write("b.bin", Changed(false));
  Steps steps = OpenSteps(folder.Win("a.bin"), folder.Win("b.bin"));
  Steps create = CreateScriptSteps("Yes", "cancel");
  steps.insert(steps.end(), create.begin(), create.end());
  DriverRun run = RunDiff(steps);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Count("msgbox.caption"), 1u);  // the question only
  EXPECT_FALSE(folder.Exists("a.qpx"));
}

// A name without a code page 932 form is refused, never written under a
// look-alike (e.qpx).
TEST(DiffScriptSave, NameOutsideCp932CannotBeCreated) {
  CaseFolder folder;
  folder.Write("a.bin", Original());
  folder.Write("b.bin", Changed(false));
  Steps steps = OpenSteps(folder.Win("a.bin"), folder.Win("b.bin"));
  const std::string script = Utf8(u8"é.qpx");
  Steps create = CreateScriptSteps("Yes", UnicodeWindowsPath(folder.File(script)));
  steps.insert(steps.end(), create.begin(), create.end());
  DriverRun run = RunDiff(steps);
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(NthText(run.transcript, "msgbox.text", 1), "ファイルを作成できません") << run.output;
  EXPECT_FALSE(folder.Exists(script));
  EXPECT_FALSE(folder.Exists("e.qpx"));
}

struct RoundTripCase {
  const char* name;
  std::string folderName;  // UTF-8
  bool forward;
  bool atTen;  // the first difference is at 0x10, an address of decimal digits only
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class DiffRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Compare, write the script, apply it with qpxrun: the file the script
// names now equals the other one. A path holding "_dec" does not turn a
// first address of decimal digits into a decimal number: only the keyword
// dword_dec does that.
TEST_P(DiffRoundTrip, QpxrunTurnsOneFileIntoTheOther) {
  const RoundTripCase& c = GetParam();
  CaseFolder folder;
  std::string first = c.folderName + "/old.bin";
  std::string second = c.folderName + "/new.bin";
  folder.Write(first, Original());
  folder.Write(second, Changed(c.atTen));
  Steps steps = OpenSteps(folder.Win(first), folder.Win(second));
  Steps create = CreateScriptSteps(c.forward ? "Yes" : "No", folder.Win("patch.qpx"));
  steps.insert(steps.end(), create.begin(), create.end());
  DriverRun made = RunDiff(steps);
  ASSERT_TRUE(made.Followed()) << made.output;
  std::string target = c.forward ? first : second;
  std::string other = c.forward ? second : first;
  ASSERT_NE(folder.Read(target), folder.Read(other));
  ExpectSilentRun(RunRunner(folder.Win(), folder.Win("patch.qpx")));
  EXPECT_EQ(folder.Read(target), folder.Read(other));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DiffRoundTrip,
    ::testing::Values(RoundTripCase{"space_forward", "my files", true, true},
                      RoundTripCase{"space_reverse", "my files", false, true},
                      RoundTripCase{"dec_folder_letter_first", "save_dec", true, false},
                      RoundTripCase{"dec_folder_digits_first", "save_dec", true, true},
                      RoundTripCase{"dec_folder_reverse", "save_dec", false, true},
                      RoundTripCase{"double_byte_folder", Utf8(u8"表示 データ"), true, true}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e::diff
