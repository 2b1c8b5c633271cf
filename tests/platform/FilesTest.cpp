#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>

#include "platform/Files.h"
#include "platform/OriginMark.h"
#include "platform/ReplaceKeepingBackup.h"
#include "platform/ReplacementNames.h"
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
  platform::CAutoCloseFile full(::open("/dev/full", O_WRONLY));
  ASSERT_TRUE(full.IsValid());
  EXPECT_FALSE(platform::WriteFully(full.Get(), "abc", 3));
}

}  // namespace

namespace {

// What each call of a replace answers, and what must come of it.
struct ReplaceCase {
  const char* name;
  uint32_t replaceError;  // what ReplaceFileW answers
  bool oldStillThere;     // a file is under the old name after it
  bool movesIn;           // the new file can be moved to the old name
  platform::ReplaceStep step;
  bool committed;
  std::string calls;  // the mending calls made, in order
};

class ReplaceKeepingBackup : public testing::TestWithParam<ReplaceCase> {};

// Whatever the system answers, the old file is never lost: the backup goes
// only once the new file is in place, else the old one goes back.
TEST_P(ReplaceKeepingBackup, PutsTheOldFileBackWheneverTheNewCannotTakeItsPlace) {
  const ReplaceCase& c = GetParam();
  std::string calls;
  platform::ReplaceCalls system{
      [&] { return c.replaceError; },
      [&] { return c.oldStillThere; },
      [&] { return calls += "in ", c.movesIn; },
      [&] { return calls += "restore ", true; },
      [&] { return calls += "remove ", true; },
  };
  bool committed = true;
  EXPECT_EQ(platform::ReplaceKeepingBackup(system, committed), c.step);
  EXPECT_EQ(committed, c.committed);
  EXPECT_EQ(calls, c.calls);
}

// ReplaceFileW's errors: 1175 unable to remove the replaced file (nothing
// moved), 1176 and 1177 unable to move the replacement (the old file is
// under the backup name only), 32 a sharing violation.
INSTANTIATE_TEST_SUITE_P(
    Answers, ReplaceKeepingBackup,
    testing::Values(ReplaceCase{"Replaced", 0, true, true, platform::ReplaceStep::kDone, true,
                                "remove "},
                    ReplaceCase{"OldNeverMoved", 1175, true, true,
                                platform::ReplaceStep::kNotPossible, false, "remove "},
                    ReplaceCase{"SharingViolation", 32, true, true,
                                platform::ReplaceStep::kNotPossible, false, "remove "},
                    ReplaceCase{"NewMovedInAfterAll", 1176, false, true,
                                platform::ReplaceStep::kDone, true, "in remove "},
                    ReplaceCase{"OldPutBack", 1176, false, false, platform::ReplaceStep::kFailed,
                                false, "in restore "},
                    ReplaceCase{"OldPutBackAfterSecondError", 1177, false, false,
                                platform::ReplaceStep::kFailed, false, "in restore "}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

struct LeftoverCase {
  std::string entry;
  uint32_t process;  // 0: no leftover of t.bin
  bool backup;
};

class Leftovers : public testing::TestWithParam<LeftoverCase> {};

TEST_P(Leftovers, AreKnownByNameAndProcessInBothForms) {
  EXPECT_EQ(platform::ProcessOfLeftover(GetParam().entry, "t.bin"), GetParam().process)
      << GetParam().entry;
  if (GetParam().process != 0) {
    EXPECT_EQ(platform::IsBackupName(GetParam().entry), GetParam().backup);
  }
}

// The form earlier versions left: "." name U+2042 process "-" number.
std::string Earlier(const std::string& name, const std::string& rest) {
  return "." + name + "\xE2\x81\x82" + rest;
}

INSTANTIATE_TEST_SUITE_P(
    Names, Leftovers,
    testing::Values(LeftoverCase{platform::ReplacementName("t.bin", 4321, 7), 4321, false},
                    LeftoverCase{platform::BackupName("t.bin", 12, 0), 12, true},
                    LeftoverCase{platform::ReplacementName("t.bin", 0xFFFFFFFE, 99), 0xFFFFFFFE,
                                 false},
                    LeftoverCase{platform::ReplacementName("T.bin", 5, 1), 0, false},
                    LeftoverCase{platform::ReplacementName("t.bin.bak", 5, 1), 0, false},
                    LeftoverCase{platform::ReplacementName("t.bin", 5, 1) + "~~", 0, false},
                    LeftoverCase{platform::ReplacementName("t.bin", 5, 1).substr(1), 0, false},
                    LeftoverCase{platform::ReplacementName("t.bin", 0, 1), 0, false},
                    LeftoverCase{Earlier("t.bin", "4321-7"), 4321, false},
                    LeftoverCase{Earlier("t.bin", "12-0~"), 12, true},
                    LeftoverCase{Earlier("t.bin", "99-"), 0, false},
                    LeftoverCase{Earlier("t.bin", "-1"), 0, false},
                    LeftoverCase{Earlier("t.bin", "9x-1"), 0, false},
                    LeftoverCase{Earlier("t.bin", "99999999999-1"), 0, false},
                    LeftoverCase{Earlier("u.bin", "5-1"), 0, false},
                    LeftoverCase{Earlier("t.bin", "5-1").substr(1), 0, false},
                    LeftoverCase{"x" + Earlier("t.bin", "5-1").substr(1), 0, false},
                    LeftoverCase{".t.bin9995-1", 0, false},
                    LeftoverCase{".t.bin", 0, false},
                    LeftoverCase{Earlier("t.bin.bak", "5-1"), 0, false}));

struct NameCase {
  const char* name;
  std::string target;  // UTF-8, as the system spells it
};

class HiddenNames : public testing::TestWithParam<NameCase> {};

// Whatever the file's name, the new file's is ASCII, hidden and of one
// length, so that a file system that holds the file's name holds it too;
// two processes or attempts never share one.
TEST_P(HiddenNames, AreAsciiAndOfOneLength) {
  const std::string& target = GetParam().target;
  const std::string name = platform::ReplacementName(target, 0x7FFFFFFF, 42);
  EXPECT_EQ(name.size(), platform::kReplacementNameLength);
  EXPECT_EQ(platform::BackupName(target, 0x7FFFFFFF, 42), name + "~");
  EXPECT_EQ(name[0], '.');
  for (char c : name) EXPECT_TRUE(c > 0x20 && c < 0x7F) << name;
  EXPECT_NE(name, platform::ReplacementName(target, 0x7FFFFFFF, 43));
  EXPECT_NE(name, platform::ReplacementName(target, 0x7FFFFFFE, 42));
  EXPECT_EQ(platform::ProcessOfLeftover(name, target), 0x7FFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, HiddenNames,
    testing::Values(NameCase{"Short", "t"}, NameCase{"Long", std::string(255, 'n')},
                    // 表ソフト.bin, then 255 bytes of 能
                    NameCase{"Japanese", "\xE8\xA1\xA8\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.bin"},
                    NameCase{"LongJapanese",
                             [] {
                               std::string name;
                               while (name.size() < 255) name += "\xE8\x83\xBD";
                               return name;
                             }()}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// ASCII text as UTF-16, the way some programs write the stream.
std::string Utf16(std::string_view ascii) {
  std::string text = "\xFF\xFE";
  for (char c : ascii) text += std::string{c, '\0'};
  return text;
}

struct ZoneCase {
  std::string stream;
  std::optional<int> zone;  // nothing: no zone named
  std::string url;
};

class ZoneIdentifier : public testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneIdentifier, NamesTheZoneAndWhereTheFileCameFrom) {
  platform::OriginMark mark{platform::Zone::kLocalMachine, ""};
  ASSERT_EQ(platform::ParseZoneIdentifier(GetParam().stream, mark), GetParam().zone.has_value())
      << GetParam().stream;
  if (!GetParam().zone) return;
  EXPECT_EQ(static_cast<int>(mark.zone), *GetParam().zone);
  EXPECT_EQ(mark.url, GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ZoneIdentifier,
    testing::Values(
        ZoneCase{"[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=https://r/\r\nHostUrl=https://h/x\r\n",
                 3, "https://h/x"},
        ZoneCase{"[ZoneTransfer]\nZoneId=3\nReferrerUrl=https://r/\n", 3, "https://r/"},
        ZoneCase{"[ZoneTransfer]\nZoneId=3\nHostUrl=https://h/x\nReferrerUrl=https://r/\n", 3,
                 "https://h/x"},
        ZoneCase{" [zonetransfer] \r\n zoneid = 4 \r\n", 4, ""},
        ZoneCase{"[ZoneTransfer]\r\nZoneId=7\r\n", 4, ""},  // unknown: restricted
        ZoneCase{"[ZoneTransfer]\r\nZoneId=2", 2, ""},
        ZoneCase{Utf16("[ZoneTransfer]\r\nZoneId=3\r\n"), 3, ""},
        ZoneCase{"[Other]\r\nZoneId=3\r\n", std::nullopt, ""},
        ZoneCase{"[ZoneTransfer]\r\nXoneId=3\r\n", std::nullopt, ""},
        ZoneCase{"[ZoneTransfer]\r\nZoneId=\r\nZoneId=-1\r\nZoneId=3x\r\n", std::nullopt, ""},
        ZoneCase{"", std::nullopt, ""}));

// On Linux a browser's download carries the attribute user.xdg.origin.url,
// a copy from Windows the stream as a file beside it.
TEST(OriginMark, IsReadFromTheAttributeOrTheFileBeside) {
  TempFolder folder;
  platform::OriginMark mark{platform::Zone::kLocalMachine, ""};
  const std::string plain = folder.Write("plain.qpx", "x");
  EXPECT_FALSE(platform::ReadOriginMark(plain, mark));
  const std::string copied = folder.Write("copied.qpx", "x");
  folder.Write("copied.qpx:Zone.Identifier", "[ZoneTransfer]\r\nZoneId=4\r\n");
  ASSERT_TRUE(platform::ReadOriginMark(copied, mark));
  EXPECT_EQ(mark.zone, platform::Zone::kRestricted);
  // A mark that is a FIFO is refused at once, as an unreadable one.
  const std::string piped = folder.Write("piped.qpx", "x");
  ASSERT_EQ(::mkfifo((piped + ":Zone.Identifier").c_str(), 0666), 0);
  EXPECT_FALSE(platform::ReadOriginMark(piped, mark));
  for (size_t size : {64 * 1024, 64 * 1024 + 1}) {  // no mark is longer than 64 KiB
    std::string stream = "[ZoneTransfer]\r\nZoneId=3\r\n";
    stream.resize(size, ' ');
    folder.Write("copied.qpx:Zone.Identifier", stream);
    EXPECT_EQ(platform::ReadOriginMark(copied, mark), size == 64 * 1024) << size;
  }
  const std::string downloaded = folder.Write("downloaded.qpx", "x");
  const std::string url = "https://example.com/downloaded.qpx";
  if (::setxattr(downloaded.c_str(), "user.xdg.origin.url", url.data(), url.size(), 0) != 0) {
    GTEST_SKIP() << "no user attributes on this file system";
  }
  ASSERT_TRUE(platform::ReadOriginMark(downloaded, mark));
  EXPECT_EQ(mark.zone, platform::Zone::kInternet);
  EXPECT_EQ(mark.url, url);
}

}  // namespace
