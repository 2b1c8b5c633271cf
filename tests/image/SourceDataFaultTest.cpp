// The target image's save when the file or the device changes or fails
// between load and save: the save reports every failure, and the file is
// either written whole or left as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "image/SourceData.h"
#include "tests/support/TestFiles.h"

namespace {

std::string Counting(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
  return bytes;
}

// Writes the 64-byte file anew, its last-write time then the one it had
// moved by exactly the seconds and nanoseconds given.
void RewriteAtTimeMoved(const std::string& path, time_t seconds, long nanoseconds) {
  struct stat loaded {};
  ::stat(path.c_str(), &loaded);
  WriteFileBytes(path, std::string(64, 'w'));
  timespec times[2] = {loaded.st_atim, loaded.st_mtim};
  times[1].tv_sec += seconds;
  times[1].tv_nsec += times[1].tv_nsec + nanoseconds < 1000000000 ? nanoseconds : -nanoseconds;
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(SourceDataFault, SaveOntoFullDeviceFails) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  TempFolder folder;
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.Write("t.bin", Counting(4096))));
  ASSERT_TRUE(image.SetByte(0, 0x11));
  EXPECT_FALSE(image.Save("/dev/full"));
  EXPECT_TRUE(image.IsModified()) << "a failed save must not count as saved";
}

// A link is followed: the file it names takes the new bytes, the link
// stays a link. A new file or backup a killed run left beside the target
// (named as a save names them) is removed; one of a process that still
// runs (1) is neither taken nor touched.
TEST(SourceDataFault, SaveReplacesTheFileALinkNamesAndRemovesLeftoversOfEndedRuns) {
  TempFolder folder;
  const std::string real = folder.Write("real.bin", Counting(64));
  const std::string link = folder.File("t.bin");
  ASSERT_EQ(::symlink("real.bin", link.c_str()), 0);
  const std::string leftover = folder.Write(
      ".real.bin\xE2\x81\x82"
      "1-0",
      "left over");
  folder.Write(
      ".real.bin\xE2\x81\x82"
      "2147483646-0",
      "of an ended run");
  folder.Write(
      ".real.bin\xE2\x81\x82"
      "2147483646-3~",
      "its backup");
  CSourceData image;
  ASSERT_TRUE(image.Load(link));
  ASSERT_TRUE(image.SetByte(0, 0xEE));
  ASSERT_TRUE(image.Save(link));
  EXPECT_EQ(ReadFileBytes(real)[0], '\xEE');
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(leftover), "left over");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            3);
}

// Something another program does to the target between load and save.
struct Interference {
  const char* name;
  std::function<void(const std::string& path)> act;
  bool saved;  // whether the save succeeds and writes the whole image
};

class SourceDataInterference : public testing::TestWithParam<Interference> {};

TEST_P(SourceDataInterference, SavesWholeImageOrReportsAndKeepsWhatIsThere) {
  TempFolder folder;
  const std::string path = folder.Write("t.bin", Counting(64));
  CSourceData image;
  ASSERT_TRUE(image.Load(path));
  ASSERT_TRUE(image.SetByte(63, 0xEE));
  std::string patched = Counting(64);
  patched[63] = '\xEE';

  GetParam().act(path);
  const PathState before = StateOf(path);
  const bool saved = image.Save(path) != 0;

  EXPECT_EQ(saved, GetParam().saved);
  if (saved) {
    EXPECT_TRUE(ReadFileBytes(path) == patched);
    EXPECT_FALSE(image.IsModified());
  } else {
    EXPECT_TRUE(StateOf(path) == before) << "a refused save touched the path";
    EXPECT_TRUE(image.IsModified());
  }
}

INSTANTIATE_TEST_SUITE_P(
    BetweenLoadAndSave, SourceDataInterference,
    testing::Values(
        Interference{"Deleted", [](const std::string& path) { ::unlink(path.c_str()); }, false},
        Interference{"ReplacedByFolder",
                     [](const std::string& path) {
                       ::unlink(path.c_str());
                       std::filesystem::create_directory(path);
                     },
                     false},
        Interference{"MadeReadOnly", [](const std::string& path) { MakeReadOnly(path); }, false},
        Interference{"Emptied", [](const std::string& path) { ::truncate(path.c_str(), 0); },
                     false},
        Interference{"Lengthened",
                     [](const std::string& path) { ::truncate(path.c_str(), 100000); }, false},
        // Written anew at the same size, at a later time than it was loaded.
        Interference{"Rewritten",
                     [](const std::string& path) {
                       WriteFileBytes(path, std::string(64, 'w'));
                       Touch(path, 1);
                     },
                     false},
        // Its last-write time differing in the nanoseconds or the seconds alone.
        Interference{"RewrittenWithinTheSecond",
                     [](const std::string& path) { RewriteAtTimeMoved(path, 0, 1); }, false},
        Interference{"RewrittenASecondLater",
                     [](const std::string& path) { RewriteAtTimeMoved(path, 1, 0); }, false},
        Interference{"ReplacedByAnotherFile",
                     [](const std::string& path) {
                       WriteFileBytes(path + ".new", "another program's file");
                       std::filesystem::rename(path + ".new", path);
                     },
                     false},
        Interference{"ReplacedByALink",
                     [](const std::string& path) {
                       WriteFileBytes(path + ".other", Counting(64));
                       ::unlink(path.c_str());
                       ::symlink((path + ".other").c_str(), path.c_str());
                     },
                     false},
        Interference{"Untouched", [](const std::string&) {}, true}),
    [](const testing::TestParamInfo<Interference>& info) { return info.param.name; });

// A folder swapped in for the target's folder does not move the save: the
// file loaded takes the new bytes where it now lies, the file of the same
// name in the new folder stays as it is.
TEST(SourceDataFault, FolderSwappedBetweenLoadAndSaveDoesNotMoveTheSave) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("dir"));
  const std::string path = folder.Write("dir/t.bin", Counting(64));
  CSourceData image;
  ASSERT_TRUE(image.Load(path));
  ASSERT_TRUE(image.SetByte(0, 0xEE));
  std::filesystem::rename(folder.File("dir"), folder.File("moved"));
  std::filesystem::create_directory(folder.File("dir"));
  const std::string decoy = folder.Write("dir/t.bin", Counting(64));
  ASSERT_TRUE(image.Save(path));
  EXPECT_EQ(ReadFileBytes(folder.File("moved/t.bin"))[0], '\xEE');
  EXPECT_EQ(ReadFileBytes(decoy), Counting(64));
}

}  // namespace
