// The target image's save when the file or the device changes or fails
// between load and save: the save reports every failure, and the file is
// either written whole or left as it was.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "image/SourceData.h"
#include "platform/ReplacementNames.h"
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
// stays a link. New files and backups killed runs left beside the target,
// named as a save names them now or as earlier versions did, are removed;
// those of a process that still runs (1) are neither taken nor touched.
TEST(SourceDataFault, SaveReplacesTheFileALinkNamesAndRemovesLeftoversOfEndedRuns) {
  TempFolder folder;
  const std::string real = folder.Write("real.bin", Counting(64));
  const std::string link = folder.File("t.bin");
  ASSERT_EQ(::symlink("real.bin", link.c_str()), 0);
  const std::string leftover = folder.Write(
      ".real.bin\xE2\x81\x82"
      "1-0",
      "left over");
  const std::string running =
      folder.Write(platform::ReplacementName("real.bin", 1, 0), "of a running process");
  folder.Write(
      ".real.bin\xE2\x81\x82"
      "2147483646-0",
      "of an ended run");
  folder.Write(
      ".real.bin\xE2\x81\x82"
      "2147483646-3~",
      "its backup");
  folder.Write(platform::ReplacementName("real.bin", 2147483646, 1), "of an ended run");
  folder.Write(platform::BackupName("real.bin", 2147483646, 2), "its backup");
  CSourceData image;
  ASSERT_TRUE(image.Load(link));
  ASSERT_TRUE(image.SetByte(0, 0xEE));
  ASSERT_TRUE(image.Save(link));
  EXPECT_EQ(ReadFileBytes(real)[0], '\xEE');
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(leftover), "left over");
  EXPECT_EQ(ReadFileBytes(running), "of a running process");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            4);
}

// Rewrites the file with bytes of the same size and gives it back its
// last-write time, at `nanoseconds` from the one it had (cp -p, rsync -t,
// touch -r). The change time moves all the same, once the clock ticked.
void RewriteKeepingTime(const std::string& path, long nanoseconds) {
  struct stat loaded {};
  ASSERT_EQ(::stat(path.c_str(), &loaded), 0);
  ::usleep(20000);
  WriteFileBytes(path, std::string(static_cast<size_t>(loaded.st_size), 'w'));
  struct timespec times[2] = {loaded.st_atim, loaded.st_mtim};
  times[1].tv_nsec += times[1].tv_nsec >= 999999999 - nanoseconds ? -nanoseconds : nanoseconds;
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
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
        Interference{"RewrittenWithTimePutBack",
                     [](const std::string& path) { RewriteKeepingTime(path, 0); }, false},
        Interference{"RewrittenWithinTheSecond",
                     [](const std::string& path) { RewriteKeepingTime(path, 1); }, false},
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

// A FIFO as a target is refused at once: its load does not wait for a
// writer, and a save to it writes nothing.
TEST(SourceDataFault, FifoIsRefusedWithoutBlocking) {
  TempFolder folder;
  const std::string fifo = folder.File("fifo.bin");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  CSourceData image;
  EXPECT_FALSE(image.Load(fifo));
  ASSERT_TRUE(image.Load(folder.Write("t.bin", Counting(64))));
  ASSERT_TRUE(image.SetByte(0, 0xEE));
  EXPECT_FALSE(image.Save(fifo));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// The kept attributes as the system gives them.
std::string Attribute(const std::string& path, const char* name) {
  char value[256];
  ssize_t length = ::getxattr(path.c_str(), name, value, sizeof value);
  return length < 0 ? "(none)" : std::string(value, static_cast<size_t>(length));
}

// A POSIX ACL that lets user 1234 read, as the system stores it.
std::string ReadingAcl() {
  std::string acl;
  auto put = [&acl](uint32_t value, int bytes) {
    for (int at = 0; at < bytes; ++at) acl += static_cast<char>((value >> (8 * at)) & 0xFF);
  };
  put(2, 4);  // version
  const uint32_t entries[][3] = {{0x01, 6, 0xFFFFFFFF},
                                 {0x02, 4, 1234},
                                 {0x04, 4, 0xFFFFFFFF},
                                 {0x10, 4, 0xFFFFFFFF},
                                 {0x20, 4, 0xFFFFFFFF}};  // owner, user, group, mask, others
  for (const auto& entry : entries) put(entry[0], 2), put(entry[1], 2), put(entry[2], 4);
  return acl;
}

TEST(SourceDataFault, SaveKeepsTheAclAndUserAttributes) {
  TempFolder folder;
  const std::string path = folder.Write("t.bin", Counting(64));
  const std::string acl = ReadingAcl();
  if (::setxattr(path.c_str(), "user.origin", "kept", 4, 0) != 0 ||
      ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
    GTEST_SKIP() << "no user attributes or ACLs on the file system of " << folder.Path();
  }
  CSourceData image;
  ASSERT_TRUE(image.Load(path));
  ASSERT_TRUE(image.SetByte(0, 0xEE));
  ASSERT_TRUE(image.Save(path));
  EXPECT_EQ(ReadFileBytes(path)[0], '\xEE');
  EXPECT_EQ(Attribute(path, "user.origin"), "kept");
  EXPECT_EQ(Attribute(path, "system.posix_acl_access"), acl);
}

// Saves path as user 1001 in the groups given; true when the save worked.
bool SaveAsAnotherUser(const std::string& path, gid_t group) {
  pid_t child = ::fork();
  if (child == 0) {
    bool saved = false;
    if (::setgroups(1, &group) == 0 && ::setgid(1001) == 0 && ::setuid(1001) == 0) {
      CSourceData image;
      saved = image.Load(path) && image.SetByte(0, 0xEE) && image.Save(path);
    }
    ::_exit(saved ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// A save keeps the file's owner and group; one by a member of the file's
// group, who cannot give the file its owner, still gives it its group.
TEST(SourceDataFault, SaveKeepsTheOwnerAndGroup) {
  if (::getuid() != 0) GTEST_SKIP() << "only the administrator can give files away";
  TempFolder folder;
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
  const std::string path = folder.Write("t.bin", Counting(64));
  ASSERT_EQ(::chown(path.c_str(), 1000, 2000), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  CSourceData image;
  ASSERT_TRUE(image.Load(path));
  ASSERT_TRUE(image.SetByte(1, 0xEE));
  ASSERT_TRUE(image.Save(path));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 1000u);
  EXPECT_EQ(info.st_gid, 2000u);
  EXPECT_EQ(info.st_mode & 07777, 0664u);
  ASSERT_TRUE(SaveAsAnotherUser(path, 2000));
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(ReadFileBytes(path).substr(0, 2), "\xEE\xEE");
  EXPECT_EQ(info.st_gid, 2000u) << "the group was lost";
  EXPECT_EQ(info.st_mode & 07777, 0664u);
}

}  // namespace
