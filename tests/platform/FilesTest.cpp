#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/Files.h"
#include "tests/support/TestFiles.h"

namespace {

// A pipe holds at most 64 KiB, so a larger transfer arrives in parts.
constexpr size_t kLarge = 300 * 1024;

struct Pipe {
  Pipe() { EXPECT_EQ(pipe(ends), 0); }
  ~Pipe() {
    for (int end : ends) {
      if (end >= 0) close(end);
    }
  }
  void CloseWriter() {
    close(ends[1]);
    ends[1] = -1;
  }
  int ends[2] = {-1, -1};
};

struct ReadCase {
  std::string name;
  size_t written;  // bytes the writer sends before it closes its end
  size_t asked;
  bool ok;
};

class ReadInParts : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadInParts, ContinuesUntilEverythingArrivedOrTheDataEnds) {
  Pipe channel;
  std::string sent(GetParam().written, '\0');
  for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>(i * 7);
  std::thread writer([&] {
    EXPECT_TRUE(platform::WriteFully(channel.ends[1], sent.data(), sent.size()));
    channel.CloseWriter();
  });
  std::string got(GetParam().asked, '\0');
  EXPECT_EQ(platform::ReadFully(channel.ends[0], got.data(), got.size()), GetParam().ok);
  writer.join();
  if (GetParam().ok) {
    EXPECT_EQ(got, sent.substr(0, GetParam().asked));
  }
}

INSTANTIATE_TEST_SUITE_P(Transfers, ReadInParts,
                         testing::Values(ReadCase{"Large", kLarge, kLarge, true},
                                         ReadCase{"LessThanSent", 1000, 100, true},
                                         ReadCase{"EndsEarly", 1000, kLarge, false},
                                         ReadCase{"Nothing", 0, 0, true}),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                           return info.param.name;
                         });

TEST(WriteFully, ErrorIsAFailure) {
  platform::AutoCloseFile full(::open("/dev/full", O_WRONLY));
  ASSERT_TRUE(full.IsValid());
  EXPECT_FALSE(platform::WriteFully(full.Get(), "abc", 3));
}

TEST(OpenFile, ReadOnlyFileOpensOnlyForReading) {
  TempFolder folder;
  std::string path = folder.Write("ro.bin", "abc");
  MakeReadOnly(path);
  EXPECT_EQ(platform::Open(path, platform::kOpenReadWrite), -1);
  EXPECT_EQ(platform::Open(path, platform::kOpenReadWrite | platform::kOpenCreate), -1);
  platform::AutoCloseFile reading(platform::Open(path, 0));
  EXPECT_TRUE(reading.IsValid());
  EXPECT_EQ(platform::FileLength(reading.Get()), 3);
  EXPECT_TRUE(reading.Reset());
  EXPECT_FALSE(reading.IsValid());
}

TEST(OpenFile, FolderAndMissingFileDoNotOpenButCreateMakesTheFile) {
  TempFolder folder;
  EXPECT_EQ(platform::Open(folder.Path(), 0), -1);
  EXPECT_EQ(platform::Open(folder.File("new.bin"), platform::kOpenReadWrite), -1);
  platform::AutoCloseFile created(
      platform::Open(folder.File("new.bin"), platform::kOpenReadWrite | platform::kOpenCreate));
  ASSERT_TRUE(created.IsValid());
  EXPECT_TRUE(platform::WriteFully(created.Get(), "abcdef", 6));
  EXPECT_TRUE(platform::ChangeSize(created.Get(), 2));
  EXPECT_TRUE(created.Reset());
  EXPECT_EQ(ReadFileBytes(folder.File("new.bin")), "ab");
}

}  // namespace
