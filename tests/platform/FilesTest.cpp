#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/Files.h"

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
  platform::CAutoCloseFile full(::open("/dev/full", O_WRONLY));
  ASSERT_TRUE(full.IsValid());
  EXPECT_FALSE(platform::WriteFully(full.Get(), "abc", 3));
}

}  // namespace
