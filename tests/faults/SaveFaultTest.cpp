// A save under faults injected at each of its new files, writes, flushes
// and renames (the calls are wrapped at link time): wherever the device
// fails, a target that can be replaced holds exactly its old bytes
// afterwards, the save is reported as failed, and no new file is left
// beside it. A full device, or a folder that refuses the new file or the
// rename, leaves the save in place, which then succeeds.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "image/SourceData.h"
#include "tests/support/TestFiles.h"

namespace {

enum class Call { kWrite, kFlush, kRename, kCreate };

// The fault armed: the nth call of a kind from now fails with an error.
struct Fault {
  bool counting = false;
  Call call = Call::kWrite;
  int nth = 0;  // 0: none fails
  int error = 0;
  int counts[4] = {0, 0, 0, 0};
  bool afterRename = false;  // the failing call came after the rename
};

Fault fault;

// What another program does while the new file is written, once.
std::function<void()> duringWrite;

// True when this call is the one to fail.
bool Fails(Call call) {
  if (!fault.counting) return false;
  int count = ++fault.counts[static_cast<int>(call)];
  if (call != fault.call || count != fault.nth) return false;
  int renamesBefore = fault.counts[static_cast<int>(Call::kRename)] - (call == Call::kRename);
  fault.afterRename = renamesBefore > 0;
  errno = fault.error;
  return true;
}

}  // namespace

extern "C" {
ssize_t __real_write(int fd, const void* buffer, size_t count);
int __real_fsync(int fd);
int __real_renameat(int fromFolder, const char* from, int toFolder, const char* to);
int __real_openat(int folder, const char* name, int flags, ...);
int __real_openat64(int folder, const char* name, int flags, ...);

// A device failing mid-write takes the first half of the bytes.
ssize_t __wrap_write(int fd, const void* buffer, size_t count) {
  if (duringWrite) std::exchange(duringWrite, nullptr)();
  if (!Fails(Call::kWrite)) return __real_write(fd, buffer, count);
  int error = errno;
  __real_write(fd, buffer, count / 2);
  errno = error;
  return -1;
}
int __wrap_fsync(int fd) { return Fails(Call::kFlush) ? -1 : __real_fsync(fd); }
int __wrap_renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  return Fails(Call::kRename) ? -1 : __real_renameat(fromFolder, from, toFolder, to);
}
// Only the making of a new file counts; a file system that takes ASCII
// names only (some shares, Wine without a UTF-8 locale) refuses any other.
// A 32-bit build with 64-bit file offsets calls openat64 in its place.
int OpenFailing(int folder, const char* name, int flags, mode_t mode, bool large) {
  if (flags & O_CREAT) {
    if (Fails(Call::kCreate)) return -1;
    for (const char* c = name; *c != '\0'; ++c) {
      if (static_cast<unsigned char>(*c) >= 0x80) {
        errno = EILSEQ;
        return -1;
      }
    }
  }
  return large ? __real_openat64(folder, name, flags, mode) : __real_openat(folder, name, flags, mode);
}
mode_t ModeOf(int flags, va_list rest) {
  return (flags & O_CREAT) ? static_cast<mode_t>(va_arg(rest, int)) : 0;
}
int __wrap_openat(int folder, const char* name, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  mode_t mode = ModeOf(flags, rest);
  va_end(rest);
  return OpenFailing(folder, name, flags, mode, false);
}
int __wrap_openat64(int folder, const char* name, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  mode_t mode = ModeOf(flags, rest);
  va_end(rest);
  return OpenFailing(folder, name, flags, mode, true);
}
}

namespace {

std::string Counting(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
  return bytes;
}

// Three writes' worth at the system's 1 GiB chunks would be too much; the
// image is written in one call, the folder flushed after the rename.
constexpr size_t kSize = 100000;

struct FaultCase {
  const char* name;
  Call call;
  int error;
  bool hardLinked;  // a second name: the save goes in place at once
  bool saved;       // the save succeeds (in place) and the target is new
};

class SaveUnderFault : public testing::TestWithParam<FaultCase> {
 protected:
  // Saves a patched image of t.bin with the fault armed at position nth;
  // true when the save reported success.
  bool SaveWithFault(int nth) {
    CSourceData image;
    EXPECT_TRUE(image.Load(target_));
    for (uint32_t at = 0; at < kSize; at += 997) image.SetByte(at, 0xEE);
    fault = Fault{true, GetParam().call, nth, GetParam().error, {0, 0, 0, 0}, false};
    bool saved = image.Save(target_) != 0;
    calls_ = fault.counts[static_cast<int>(GetParam().call)];
    fault.counting = false;
    EXPECT_EQ(image.IsModified() == 0, saved);
    return saved;
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder_;
  std::string target_ = folder_.Write("t.bin", Counting(kSize));
  int calls_ = 0;
};

TEST_P(SaveUnderFault, LeavesTheTargetOldOrSavesItWholeAndNoNewFile) {
  const FaultCase& c = GetParam();
  std::vector<std::string> entries = {"t.bin"};
  if (c.hardLinked) {
    ASSERT_EQ(::link(target_.c_str(), folder_.File("u.bin").c_str()), 0);
    entries.push_back("u.bin");
  }
  const std::string old = Counting(kSize);
  ASSERT_TRUE(SaveWithFault(0));
  const std::string patched = ReadFileBytes(target_);
  const int positions = calls_;
  ASSERT_GT(positions, 0) << "the save made no call of this kind";
  for (int nth = 1; nth <= positions; ++nth) {
    folder_.Write("t.bin", old);
    bool saved = SaveWithFault(nth);
    const std::string now = ReadFileBytes(target_);
    // After the rename only the folder's flush is left: its failure is
    // reported, with the new file in place.
    const bool expectSaved = c.saved && !fault.afterRename;
    const std::string& expected = expectSaved || fault.afterRename ? patched : old;
    EXPECT_EQ(saved, expectSaved) << "fault at call " << nth;
    if (c.hardLinked && !saved) {
      EXPECT_EQ(now.size(), kSize) << "fault at call " << nth;  // in place: the length kept
    } else {
      EXPECT_TRUE(now == expected) << "fault at call " << nth;
    }
    EXPECT_EQ(Entries(), entries) << "fault at call " << nth;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Calls, SaveUnderFault,
    testing::Values(FaultCase{"WriteFails", Call::kWrite, EIO, false, false},
                    FaultCase{"FlushFails", Call::kFlush, EIO, false, false},
                    FaultCase{"RenameFails", Call::kRename, EIO, false, false},
                    FaultCase{"DeviceFullWhileWriting", Call::kWrite, ENOSPC, false, true},
                    FaultCase{"DeviceFullWhileFlushing", Call::kFlush, ENOSPC, false, true},
                    FaultCase{"RenameRefused", Call::kRename, EACCES, false, true},
                    FaultCase{"CreateFails", Call::kCreate, EIO, false, false},
                    FaultCase{"CreateFindsNameTooLong", Call::kCreate, ENAMETOOLONG, false, false},
                    FaultCase{"CreateRefusedByFolder", Call::kCreate, EACCES, false, true},
                    FaultCase{"CreateRefusedReadOnlyDevice", Call::kCreate, EROFS, false, true},
                    FaultCase{"CreateFindsDeviceFull", Call::kCreate, ENOSPC, false, true},
                    FaultCase{"InPlaceWriteFails", Call::kWrite, EIO, true, false},
                    FaultCase{"InPlaceFlushFails", Call::kFlush, EIO, true, false}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// Where nothing fails, a save replaces the target (another file takes its
// name) however long its name, also on a file system that refuses names
// outside ASCII, and nothing is left beside it.
class SaveByReplacing : public testing::TestWithParam<size_t> {};

TEST_P(SaveByReplacing, WorksWhereverTheTargetsOwnNameDoes) {
  TempFolder folder;
  const std::string name = std::string(GetParam() - 4, 'n') + ".bin";
  const std::string target = folder.Write(name, Counting(kSize));
  struct stat before {};
  ASSERT_EQ(::stat(target.c_str(), &before), 0);
  CSourceData image;
  ASSERT_TRUE(image.Load(target));
  ASSERT_TRUE(image.SetByte(0, 0xEE));
  fault = Fault{true, Call::kCreate, 0, 0, {0, 0, 0, 0}, false};
  EXPECT_TRUE(image.Save(target));
  fault.counting = false;
  struct stat after {};
  ASSERT_EQ(::stat(target.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino) << "saved in place";
  EXPECT_EQ(ReadFileBytes(target)[0], '\xEE');
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

INSTANTIATE_TEST_SUITE_P(NameLengths, SaveByReplacing, testing::Values(5, 200, 253, 255));

}  // namespace

// Another program rewrites the file while the new one is being written:
// nothing is put over its bytes, and no new file is left beside.
TEST(SaveUnderChange, LeavesAFileChangedDuringTheSaveAsTheOtherProgramLeftIt) {
  TempFolder folder;
  const std::string target = folder.Write("t.bin", Counting(kSize));
  CSourceData image;
  ASSERT_TRUE(image.Load(target));
  image.SetByte(0, 0xEE);
  const std::string theirs(kSize, 'x');
  duringWrite = [&] { folder.Write("t.bin", theirs); };
  EXPECT_EQ(image.Save(target), 0);
  EXPECT_FALSE(duringWrite) << "the save wrote nothing";
  duringWrite = nullptr;
  EXPECT_TRUE(ReadFileBytes(target) == theirs);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}
