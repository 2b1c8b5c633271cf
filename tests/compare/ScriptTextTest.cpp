#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "compare/ScriptFile.h"
#include "compare/ScriptText.h"
#include "platform/ReplacementNames.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

namespace {

struct EscapeCase {
  std::string path;
  std::string escaped;
};

class PathEscaping : public testing::TestWithParam<EscapeCase> {};

TEST_P(PathEscaping, DoublesBackslashesAndSpellsSpaces) {
  EXPECT_EQ(EscapePath(GetParam().path), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathEscaping,
    testing::Values(EscapeCase{"C:\\work\\old.bin", "C:\\\\work\\\\old.bin"},
                    EscapeCase{"C:\\My Files\\a.bin", "C:\\\\My\\sFiles\\\\a.bin"},
                    EscapeCase{"a  b", "a\\s\\sb"},
                    // 表 (0x95 0x5C): the trail byte is doubled like any backslash.
                    EscapeCase{"C:\\\x95\x5C.bin", "C:\\\\\x95\x5C\x5C.bin"},
                    EscapeCase{"\\\\server\\share\\a.bin", "\\\\\\\\server\\\\share\\\\a.bin"},
                    EscapeCase{"C:\\tab\there", "C:\\\\tab\there"}, EscapeCase{"", ""}));

std::string Script(const std::string& source, const DiffList& differences, Direction direction) {
  std::string text;
  StreamScript(source, differences, direction, [&text](std::string_view piece) {
    text.append(piece);
    return true;
  });
  return text;
}

const DiffList kExample = {{0x10, 0x00, 0xFF}, {0x1A3, 0x7F, 0x80}};

struct ScriptCase {
  const char* name;
  Direction direction;
  DiffList differences;
  std::string expected;
};

void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

class ScriptBytes : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptBytes, MatchTheLayoutExactly) {
  const ScriptCase& c = GetParam();
  // ScriptSourcePath answers a reference to one of its arguments, so they
  // must outlive the answer.
  const std::string first = "C:\\work\\old.bin";
  const std::string second = "C:\\work\\new.bin";
  const std::string& source = ScriptSourcePath(first, second, c.direction);
  EXPECT_EQ(Script(source, c.differences, c.direction), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ScriptBytes,
    testing::Values(
        ScriptCase{
            "Forward", Direction::kForward, kExample,
            "#path \"C:\\\\work\\\\old.bin\"\r\n    10 = FF ;\r\n    01A3 = 80 ;\r\n#end\r\n"},
        ScriptCase{
            "Reverse", Direction::kReverse, kExample,
            "#path \"C:\\\\work\\\\new.bin\"\r\n    10 = 00 ;\r\n    01A3 = 7F ;\r\n#end\r\n"},
        ScriptCase{
            "Widths",
            Direction::kForward,
            {{0, 0, 5}, {0xFFFFF, 0, 0x0A}},
            "#path \"C:\\\\work\\\\old.bin\"\r\n    00 = 05 ;\r\n    0FFFFF = 0A ;\r\n#end\r\n"},
        ScriptCase{"NoDifferences",
                   Direction::kForward,
                   {},
                   "#path \"C:\\\\work\\\\old.bin\"\r\n#end\r\n"}),
    [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

struct LocationCase {
  std::string source;
  std::string folder;
  std::string name;
};

class ScriptLocationSuggestion : public testing::TestWithParam<LocationCase> {};

TEST_P(ScriptLocationSuggestion, ProposesTheSourceFolderAndItsName) {
  ScriptLocation location = SuggestScriptLocation(GetParam().source);
  EXPECT_EQ(location.folder, GetParam().folder);
  EXPECT_EQ(location.name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ScriptLocationSuggestion,
    testing::Values(LocationCase{"D:\\data\\game.sav", "D:\\data\\", "game.qpx"},
                    LocationCase{"C:\\data\\image", "C:\\data\\", "image.qpx"},
                    LocationCase{"C:\\a.b\\c.tar.gz", "C:\\a.b\\", "c.tar.qpx"},
                    LocationCase{"C:\\dir.v2\\noext", "C:\\dir.v2\\", "noext.qpx"},
                    LocationCase{"C:\\My Files\\\x95\x5C.bin", "C:\\My Files\\", "\x95\x5C.qpx"},
                    LocationCase{"\\\\server\\share\\a.bin", "\\\\server\\share\\", "a.qpx"}));

TEST(ScriptFileWriting, WritesTheTextAndOneZeroByte) {
  TempFolder folder;
  std::string path = folder.Write("out.qpx", "an older and longer script");
  ASSERT_EQ(StreamScriptFile(path, "x", {}, Direction::kForward), ScriptWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(path), std::string("#path \"x\"\r\n#end\r\n\0", 18));
}

// A name of 255 bytes, the longest a file system holds, takes a script.
TEST(ScriptFileWriting, WritesUnderTheLongestName) {
  TempFolder folder;
  const std::string path = folder.File(std::string(251, 'n') + ".qpx");
  ASSERT_EQ(StreamScriptFile(path, "x", {}, Direction::kForward), ScriptWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(path), std::string("#path \"x\"\r\n#end\r\n\0", 18));
}

// A backup is the only copy of a file a killed run left gone: a script
// written under that file's name leaves it, and removes what else was left.
TEST(ScriptFileWriting, KeepsTheBackupOfAMissingFile) {
  TempFolder folder;
  const std::string backup = folder.Write(platform::BackupName("s.qpx", 2147483646, 0), "old");
  const std::string earlier = folder.Write(
      ".s.qpx\xE2\x81\x82"
      "2147483646-1~",
      "old");
  const std::string replacement =
      folder.Write(platform::ReplacementName("s.qpx", 2147483646, 0), "new");
  ASSERT_EQ(StreamScriptFile(folder.File("s.qpx"), "x", {}, Direction::kForward),
            ScriptWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(backup), "old");
  EXPECT_EQ(ReadFileBytes(earlier), "old");
  EXPECT_FALSE(FileExists(replacement));
}

TEST(ScriptFileWriting, ReportsFilesThatCannotBeCreated) {
  TempFolder folder;
  std::string readOnly = folder.Write("ro.qpx", "keep");
  MakeReadOnly(readOnly);
  struct Case {
    std::string path;
  };
  for (const Case& c :
       {Case{readOnly}, Case{folder.File("missing/x.qpx")}, Case{folder.Path()}, Case{""}}) {
    EXPECT_EQ(StreamScriptFile(c.path, "x", {}, Direction::kForward),
              ScriptWriteResult::kCannotCreate)
        << c.path;
  }
  EXPECT_EQ(ReadFileBytes(readOnly), "keep");
}

// A write that fails (here the device fills up) leaves neither a cut
// script nor a truncated older one: the older one keeps its bytes, a new
// name is not taken, and nothing is left beside them.
TEST(ScriptFileWriting, FailedWriteLeavesNoCutScriptAndTheOlderOneWhole) {
  TempFolder folder;
  const std::string older = folder.Write("old.qpx", "an older script");
  const DiffList differences(10000, DiffEntry{0x10, 0x00, 0xFF});
  {
    FileSizeLimit full(4096);
    EXPECT_EQ(StreamScriptFile(older, "x", differences, Direction::kForward),
              ScriptWriteResult::kCannotSave);
    EXPECT_EQ(StreamScriptFile(folder.File("new.qpx"), "x", differences, Direction::kForward),
              ScriptWriteResult::kCannotSave);
  }
  EXPECT_EQ(ReadFileBytes(older), "an older script");
  EXPECT_FALSE(FileExists(folder.File("new.qpx")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
