#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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
                    LeftoverCase{".t.bin9995-1", 0, false}, LeftoverCase{".t.bin", 0, false},
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

// Text as UTF-16 with its BOM, as PowerShell's Set-Content -Encoding
// Unicode writes the stream.
std::string Utf16(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text)
    bytes += std::string{static_cast<char>(unit), static_cast<char>(unit >> 8)};
  return bytes;
}

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

struct ZoneCase {
  const char* name;
  std::string content;  // of the Zone.Identifier stream
  int zone;             // as Windows decides it, or higher where it cannot be read
  std::string url = "";
};

class ZoneIdentifier : public testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneIdentifier, IsReadNoMoreLenientlyThanWindowsReadsIt) {
  platform::OriginMark mark = platform::ParseZoneIdentifier(GetParam().content);
  EXPECT_EQ(static_cast<int>(mark.zone), GetParam().zone);
  EXPECT_EQ(mark.url, GetParam().url);
}

const std::string kChromium =
    "[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=https://example.com/page\r\n"
    "HostUrl=https://example.com/s.qpx\r\n";

INSTANTIATE_TEST_SUITE_P(
    Marks, ZoneIdentifier,
    testing::Values(
        // As the programs that mark downloads write them.
        ZoneCase{"Chromium", kChromium, 3, "https://example.com/s.qpx"},
        ZoneCase{"HostUrlBeforeReferrer",
                 "[ZoneTransfer]\nZoneId=3\nHostUrl=https://h/x\nReferrerUrl=https://r/\n", 3,
                 "https://h/x"},
        ZoneCase{"Firefox", "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://example.com/s.qpx\r\n",
                 3, "https://example.com/s.qpx"},
        ZoneCase{
            "Edge",
            "[ZoneTransfer]\r\nLastWriterPackageFamilyName=Microsoft.MicrosoftEdge_8wekyb3d8bbwe"
            "\r\nZoneId=3\r\nReferrerUrl=https://example.com/\r\n",
            3, "https://example.com/"},
        ZoneCase{"Outlook", "[ZoneTransfer]\r\nZoneId=3\r\n", 3},
        ZoneCase{"ExplorerUnzip",
                 "[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=C:\\Users\\u\\Downloads\\s.zip\r\n", 3,
                 "C:\\Users\\u\\Downloads\\s.zip"},
        ZoneCase{"SevenZipPassingTheArchivesMarkOn", kChromium, 3, "https://example.com/s.qpx"},
        ZoneCase{"PowerShellInvokeWebRequest",
                 "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://example.com/s.qpx\r\n", 3,
                 "https://example.com/s.qpx"},
        ZoneCase{"OlderChromiumEndingInNul", std::string("[ZoneTransfer]\nZoneId=3\0", 24), 3},
        ZoneCase{"Utf16WithBom",
                 Utf16(u"[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://例え.jp/é😀\r\n"), 3,
                 "https://例え.jp/\\u00E9\\U0001F600"},
        ZoneCase{
            "Utf8WithBom",
            "\xEF\xBB\xBF" + Utf8(u8"[ZoneTransfer]\r\nZoneId=4\r\nHostUrl=https://例え.jp/\r\n"),
            4, "https://例え.jp/"},
        ZoneCase{"AnsiUrlInCp932", "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://例.jp/\r\n", 3,
                 "https://例.jp/"},
        // Zones, and numbers as GetPrivateProfileInt reads them.
        ZoneCase{"LocalMachine", "[ZoneTransfer]\r\nZoneId=0\r\n", 0},
        ZoneCase{"Intranet", "[ZoneTransfer]\r\nZoneId=1\r\n", 1},
        ZoneCase{"TrustedSite", "[ZoneTransfer]\r\nZoneId=2", 2},
        ZoneCase{"Restricted", "[ZoneTransfer]\r\nZoneId=4\r\n", 4},
        ZoneCase{"UnknownZoneIsRestricted", "[ZoneTransfer]\r\nZoneId=7\r\n", 4},
        ZoneCase{"NegativeZoneIsRestricted", "[ZoneTransfer]\r\nZoneId=-1\r\n", 4},
        ZoneCase{"LowerCaseAndBlanks", " [zonetransfer] \r\n zoneid = 2 \r\n", 2},
        ZoneCase{"LeadingDigits", "[ZoneTransfer]\r\nZoneId=4x\r\n", 4},
        ZoneCase{"TenDigits", "[ZoneTransfer]\r\nZoneId=0000000004\r\n", 4},
        ZoneCase{"BeyondThirtyTwoBits", "[ZoneTransfer]\r\nZoneId=4294967296\r\n", 4},
        ZoneCase{"Hexadecimal", "[ZoneTransfer]\r\nZoneId=0x4\r\n", 4},
        ZoneCase{"Quoted", "[ZoneTransfer]\r\nZoneId=\"4\"\r\n", 4},
        ZoneCase{"DuplicateZoneIdTheHighestCounts", "[ZoneTransfer]\r\nZoneId=3\r\nZoneId=0\r\n",
                 3},
        ZoneCase{"DuplicateSection", "[ZoneTransfer]\r\nZoneId=0\r\n[ZoneTransfer]\r\nZoneId=2\r\n",
                 2},
        // Marks that name no zone are the Internet's, or higher.
        ZoneCase{"NoHeader", "ZoneId=0\r\n", 3}, ZoneCase{"NoHeaderRestricted", "ZoneId=4\r\n", 4},
        ZoneCase{"OtherSection", "[Other]\r\nZoneId=0\r\n", 3},
        ZoneCase{"MisspeltKey", "[ZoneTransfer]\r\nXoneId=0\r\n", 3},
        ZoneCase{"AppZoneIdOnly", "[ZoneTransfer]\r\nAppZoneId=4\r\n", 3},
        ZoneCase{"NoNumber", "[ZoneTransfer]\r\nZoneId=\r\nZoneId=x\r\n", 3},
        ZoneCase{"NulInsideTheKey", std::string("[ZoneTransfer]\r\nZone\0Id=0\r\n", 27), 3},
        ZoneCase{"UnheadedUtf16", "[\0Z\0o\0n\0e\0", 3}, ZoneCase{"Empty", "", 3},
        ZoneCase{"SixtyFourKiB", "[ZoneTransfer]\r\nZoneId=0\r\n" + std::string(65536 - 26, ' '),
                 0},
        ZoneCase{"OverSixtyFourKiB",
                 "[ZoneTransfer]\r\nZoneId=0\r\n" + std::string(65537 - 26, ' '), 3},
        ZoneCase{"OverSixtyFourKiBRestricted",
                 "[ZoneTransfer]\r\nZoneId=4\r\n" + std::string(70000, ' '), 4}),
    [](const testing::TestParamInfo<ZoneCase>& info) { return std::string(info.param.name); });

// On Windows the stream's zone and the one the system gives the file's
// full path (a failed call ignored): the higher counts.
struct DecisionCase {
  const char* name;
  std::optional<int> stream;  // nothing: no stream
  std::optional<long long> system;
  std::optional<int> zone;  // nothing: no mark
};

class OriginDecision : public testing::TestWithParam<DecisionCase> {};

TEST_P(OriginDecision, TakesTheHigherOfTheStreamAndTheSystem) {
  const DecisionCase& c = GetParam();
  platform::ZoneCalls calls{[&c](platform::OriginMark& found) {
                              if (c.stream) found = {static_cast<platform::Zone>(*c.stream), "u"};
                              return c.stream.has_value();
                            },
                            [&c]() { return c.system; }};
  platform::OriginMark mark{platform::Zone::kLocalMachine, ""};
  ASSERT_EQ(platform::DecideOriginMark(calls, mark), c.zone.has_value());
  if (!c.zone) return;
  EXPECT_EQ(static_cast<int>(mark.zone), *c.zone);
  EXPECT_EQ(mark.url, c.stream && *c.stream >= *c.zone ? "u" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OriginDecision,
    testing::Values(DecisionCase{"NeitherAnswers", std::nullopt, std::nullopt, std::nullopt},
                    DecisionCase{"LocalFileUnmarked", std::nullopt, 0, std::nullopt},
                    DecisionCase{"InternetShare", std::nullopt, 3, 3},
                    DecisionCase{"IntranetShare", std::nullopt, 1, 1},
                    DecisionCase{"StreamAboveTheSystem", 3, 0, 3},
                    DecisionCase{"SystemAboveTheStream", 2, 4, 4}, DecisionCase{"Equal", 3, 3, 3},
                    DecisionCase{"FailedCallIgnored", 0, std::nullopt, 0},
                    DecisionCase{"CustomZoneIsRestricted", 1, 1000, 4}),
    [](const testing::TestParamInfo<DecisionCase>& info) { return std::string(info.param.name); });

// Marks that are there but cannot be read count as the Internet's.
struct MarkFileCase {
  const char* name;
  std::function<void(const std::string& mark)> make;  // the file beside the script
  int zone;
};

class UnreadableMark : public testing::TestWithParam<MarkFileCase> {};

TEST_P(UnreadableMark, CountsAsTheInternet) {
  TempFolder folder;
  const std::string script = folder.Write("s.qpx", "x");
  GetParam().make(script + ":Zone.Identifier");
  platform::OriginMark mark{platform::Zone::kLocalMachine, ""};
  ASSERT_TRUE(platform::ReadOriginMark(script, mark));
  EXPECT_EQ(static_cast<int>(mark.zone), GetParam().zone);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableMark,
    testing::Values(
        MarkFileCase{
            "Fifo", [](const std::string& mark) { ASSERT_EQ(::mkfifo(mark.c_str(), 0666), 0); }, 3},
        MarkFileCase{"Folder",
                     [](const std::string& mark) { ASSERT_EQ(::mkdir(mark.c_str(), 0777), 0); }, 3},
        // A link to itself: there, but no file can be opened through it.
        MarkFileCase{
            "CannotBeOpened",
            [](const std::string& mark) { ASSERT_EQ(::symlink(mark.c_str(), mark.c_str()), 0); },
            3},
        // No read permission: the internet's, whatever it says. (Root reads
        // any file: there the mark says the internet's itself.)
        MarkFileCase{"NoReadPermission",
                     [](const std::string& mark) {
                       WriteFileBytes(mark, ::geteuid() == 0 ? "[ZoneTransfer]\r\nZoneId=3\r\n"
                                                             : "[ZoneTransfer]\r\nZoneId=0\r\n");
                       ASSERT_EQ(::chmod(mark.c_str(), 0), 0);
                     },
                     3},
        MarkFileCase{"Oversized",
                     [](const std::string& mark) {
                       WriteFileBytes(mark,
                                      "[ZoneTransfer]\r\nZoneId=0\r\n" + std::string(70000, ' '));
                     },
                     3},
        MarkFileCase{"OversizedRestricted",
                     [](const std::string& mark) {
                       WriteFileBytes(mark,
                                      "[ZoneTransfer]\r\nZoneId=4\r\n" + std::string(70000, ' '));
                     },
                     4}),
    [](const testing::TestParamInfo<MarkFileCase>& info) { return std::string(info.param.name); });

// On Linux a download carries the attribute user.xdg.origin.url, a file
// from a Samba share its stream in user.DosStream.Zone.Identifier:$DATA,
// a copy from Windows the stream as a file beside it; the highest counts.
struct AttributeCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string beside;  // the Zone.Identifier file, unless empty
  std::optional<int> zone;
  std::string url = "";
};

class OriginAttributes : public testing::TestWithParam<AttributeCase> {};

TEST_P(OriginAttributes, AreReadWholeAndTheHighestZoneCounts) {
  const AttributeCase& c = GetParam();
  // tmpfs keeps an attribute of any length, ext4 one of a block at most.
  TempFolder folder(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "");
  const std::string script = folder.Write("s.qpx", "x");
  if (!c.beside.empty()) folder.Write("s.qpx:Zone.Identifier", c.beside);
  for (const auto& [name, value] : c.attributes) {
    if (::setxattr(script.c_str(), name.c_str(), value.data(), value.size(), 0) != 0) {
      GTEST_SKIP() << "no user attributes on this file system";
    }
  }
  platform::OriginMark mark{platform::Zone::kLocalMachine, ""};
  ASSERT_EQ(platform::ReadOriginMark(script, mark), c.zone.has_value());
  if (!c.zone) return;
  EXPECT_EQ(static_cast<int>(mark.zone), *c.zone);
  EXPECT_EQ(mark.url, c.url);
}

constexpr char kOriginUrl[] = "user.xdg.origin.url";
constexpr char kSambaStream[] = "user.DosStream.Zone.Identifier:$DATA";
const std::string kLongUrl = "https://example.com/" + std::string(5000, 'a');

INSTANTIATE_TEST_SUITE_P(
    Marks, OriginAttributes,
    testing::Values(AttributeCase{"None", {}, "", std::nullopt},
                    AttributeCase{"FileBeside", {}, "[ZoneTransfer]\r\nZoneId=4\r\n", 4},
                    AttributeCase{"Download",
                                  {{kOriginUrl, "https://example.com/s.qpx"}},
                                  "",
                                  3,
                                  "https://example.com/s.qpx"},
                    AttributeCase{"LongerThanFourKiB", {{kOriginUrl, kLongUrl}}, "", 3, kLongUrl},
                    AttributeCase{"Utf8Url",
                                  {{kOriginUrl, Utf8(u8"https://例え.jp/é")}},
                                  "",
                                  3,
                                  "https://例え.jp/\\u00E9"},
                    AttributeCase{"FileOriginIsLocal",
                                  {{kOriginUrl, "file:///home/u/s.qpx"}},
                                  "",
                                  0,
                                  "file:///home/u/s.qpx"},
                    AttributeCase{"FileOriginBesideAnInternetMark",
                                  {{kOriginUrl, "FILE:///home/u/s.qpx"}},
                                  "[ZoneTransfer]\r\nZoneId=3\r\n",
                                  3},
                    AttributeCase{
                        "SambaStream",
                        {{kSambaStream, std::string("[ZoneTransfer]\r\nZoneId=4\r\n\0", 28)}},
                        "",
                        4},
                    AttributeCase{"SambaStreamBelowTheDownload",
                                  {{kSambaStream, "[ZoneTransfer]\r\nZoneId=2\r\n"},
                                   {kOriginUrl, "https://example.com/s.qpx"}},
                                  "",
                                  3,
                                  "https://example.com/s.qpx"}),
    [](const testing::TestParamInfo<AttributeCase>& info) { return std::string(info.param.name); });

}  // namespace
