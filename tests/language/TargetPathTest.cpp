#include <gtest/gtest.h>

#include <string>

#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "text/PathSplitter.h"

namespace {

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

struct SplitCase {
  std::string path;
  PathParts parts;
};

class PathSplitting : public testing::TestWithParam<SplitCase> {};

TEST_P(PathSplitting, FollowsTheRuntimeSplitterUnderCodePage932) {
  PathParts got = SplitPath(GetParam().path);
  const PathParts& want = GetParam().parts;
  EXPECT_EQ(got.drive, want.drive) << GetParam().path;
  EXPECT_EQ(got.folder, want.folder) << GetParam().path;
  EXPECT_EQ(got.name, want.name) << GetParam().path;
  EXPECT_EQ(got.extension, want.extension) << GetParam().path;
  EXPECT_EQ(got.overLong, want.overLong) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathSplitting,
    testing::Values(
        SplitCase{"C:\\dir\\sub\\file.ext", {"C:", "\\dir\\sub\\", "file", ".ext"}},
        SplitCase{"C:file.ext", {"C:", "", "file", ".ext"}}, SplitCase{"C:", {"C:", "", "", ""}},
        SplitCase{"a\\b/c", {"", "a\\b/", "c", ""}},
        SplitCase{"\\file.tar.gz", {"", "\\", "file.tar", ".gz"}},
        SplitCase{"dir.d\\file", {"", "dir.d\\", "file", ""}},
        SplitCase{".hidden", {"", "", "", ".hidden"}},
        // 表 and ソ end in the byte 0x5C, which is no separator.
        SplitCase{"C:\\表\\ソ.bin", {"C:", "\\表\\", "ソ", ".bin"}},
        SplitCase{"ソ", {"", "", "ソ", ""}}, SplitCase{"d\\ab\x83", {"", "d\\", "ab\x83", ""}},
        SplitCase{std::string(300, 'a') + ".e", {"", "", std::string(300, 'a'), ".e", true}},
        SplitCase{std::string(255, 'a') + ".e", {"", "", std::string(255, 'a'), ".e"}}));

struct ResolveCase {
  std::string scriptPath;
  std::string argument;
  std::string target;
};

class TargetResolution : public testing::TestWithParam<ResolveCase> {};

TEST_P(TargetResolution, PlacesTargetsWithoutDriveInTheScriptFolder) {
  CParseScript script(QuopraStatements());
  script.SetScriptPath(GetParam().scriptPath);
  EXPECT_EQ(script.ResolveTargetPath(GetParam().argument), GetParam().target)
      << GetParam().argument;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, TargetResolution,
    testing::Values(ResolveCase{"D:\\tools\\fix.qpx", "save.dat", "D:\\tools\\save.dat"},
                    ResolveCase{"D:\\tools\\fix.qpx", "C:\\other\\save.dat", "C:\\other\\save.dat"},
                    ResolveCase{"D:\\tools\\fix.qpx", "C:save.dat", ""},
                    ResolveCase{"D:\\tools\\fix.qpx", "sub\\save.dat", "D:\\tools\\save.dat"},
                    ResolveCase{"D:\\tools\\fix.qpx", "\\root\\save.dat", "D:\\tools\\save.dat"},
                    ResolveCase{"D:\\tools\\fix.qpx", "..\\up.dat", "D:\\tools\\up.dat"},
                    ResolveCase{"fix.qpx", "save.dat", "save.dat"},
                    ResolveCase{"fix.qpx", "sub\\save.dat", "save.dat"},
                    ResolveCase{"D:\\ソ\\fix.qpx", "表.dat", "D:\\ソ\\表.dat"},
                    ResolveCase{"D:\\tools\\fix.qpx", "sub\\表", "D:\\tools\\表"},
                    // From the root on Linux, whatever the script's folder.
                    ResolveCase{"/home/u/s/fix.qpx", "/srv/game/a.bin", "/srv/game/a.bin"},
                    ResolveCase{"/home/u/s/fix.qpx", "a.bin", "/home/u/s/a.bin"},
                    // A deep Japanese folder of more than 255 bytes is refused, not cut
                    // to a folder that may be its parent.
                    ResolveCase{"D:\\" + Repeat("表", 130) + "\\fix.qpx", "save.dat", ""},
                    ResolveCase{"D:\\tools\\fix.qpx", "C:\\" + Repeat("表", 130) + "\\a", ""},
                    ResolveCase{"D:\\tools\\fix.qpx", std::string(256, 'n') + ".dat", ""}));

}  // namespace
