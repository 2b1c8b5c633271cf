// qpxrun under Wine against hostile scripts and failing files: every case
// ends with exactly one message box or none, exit code 0, and leaves the
// target byte for byte as it was or exactly as its script says, with its
// length kept. The one exception is a device that fails in the middle of a
// save: that must be reported, and the file still keeps its length.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CaseFolder.h"
#include "Runner.h"
#include "platform/ReplacementNames.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Texts are made when a case runs, not when the cases are listed: some are
// megabytes long.
using Text = std::function<std::string()>;

Text Fixed(std::string text) {
  return [text] { return text; };
}

std::string Counting(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
  return bytes;
}

std::string Repeat(const std::string& text, size_t times) {
  std::string all;
  all.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i) all += text;
  return all;
}

std::string Section(const std::string& statements) {
  return "#path \"t.bin\"\r\n" + statements + "\r\n#end\r\n";
}

// A fixed pseudo-random sequence: the same garbage on every run.
class Scramble {
 public:
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // A byte that is neither zero nor `excluded`.
  char Byte(char excluded) {
    char c;
    do {
      c = static_cast<char>(Next() >> 24);
    } while (c == '\0' || c == excluded);
    return c;
  }

 private:
  uint32_t state_ = 0x9E3779B9u;
};

// Binary bytes without zeros (and without "#" when asked: free text must
// hold no directive).
std::string Binary(size_t size, char excluded) {
  Scramble scramble;
  std::string bytes(size, '\0');
  for (char& c : bytes) c = scramble.Byte(excluded);
  return bytes;
}

// Units of the language mixed with runs of binary bytes, every one the same
// on every run.
std::string WordGarbage(size_t size) {
  static const char* const kWords[] = {"#path", "#registry", "#end",      "to",     "=",
                                       "=bit",  ";",         "dialog",    "binary", "string",
                                       "dword", "dword_dec", "\"t.bin\"", "0000",   "FF",
                                       "0F",    "1XXXXXX0",  "XX11",      "100",    "\"\""};
  static const char kSeparators[] = {' ', '\t', '\r', '\n'};
  Scramble scramble;
  std::string text;
  text.reserve(size + 64);
  while (text.size() < size) {
    uint32_t pick = scramble.Next();
    if (pick % 2 == 0) {
      text += kWords[(pick >> 8) % std::size(kWords)];
    } else {
      for (uint32_t n = 1 + (pick >> 8) % 12; n > 0; --n) text += scramble.Byte('\0');
    }
    text += kSeparators[(pick >> 16) % std::size(kSeparators)];
  }
  return text;
}

// Equal bytes, or where they first differ (megabyte texts are not printed).
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << actual.size() << " bytes, expected " << expected.size()
                                       << "; first difference at offset " << at;
}

void ExpectOutcome(const DriverRun& run, const std::optional<ExpectedMessage>& message) {
  if (message) {
    ExpectMessage(run, *message);
  } else {
    ExpectSilentRun(run);
  }
}

// Runs a.qpx of the folder; with a held file, the driver holds it open with
// writing denied meanwhile.
DriverRun RunScript(const CaseFolder& folder, bool expectingMessage, const std::string& held = "") {
  if (expectingMessage) {
    return RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx"), {}, held);
  }
  return RunRunner(folder.Win(), folder.Win("a.qpx"), {}, held);
}

struct FaultCase {
  const char* name;
  Text script;                             // a.qpx, beside t.bin
  Text target;                             // t.bin's bytes
  std::optional<ExpectedMessage> message;  // none: the run ends silently
  std::optional<Text> patched;             // none: t.bin stays as it was
  bool holdScript = false;                 // the driver holds a.qpx open with writing denied
};

class RunnerFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RunnerFault, ShowsTheRightOutcomeAndLeavesTheTargetWholeOrUnchanged) {
  const FaultCase& c = GetParam();
  CaseFolder folder;
  const std::string original = c.target();
  const std::string script = c.script();
  folder.Write("t.bin", original);
  folder.Write("a.qpx", script);
  const std::string held = c.holdScript ? folder.Win("a.qpx") : "";

  ExpectOutcome(RunScript(folder, c.message.has_value(), held), c.message);

  EXPECT_TRUE(SameBytes(folder.Read("t.bin"), c.patched ? (*c.patched)() : original));
  EXPECT_TRUE(SameBytes(folder.Read("a.qpx"), script)) << "the script changed";
}

Text Sixteen() {
  return [] { return Counting(16); };
}

Text SixteenWith(size_t at, std::string put) {
  return [at, put] { return Counting(16).replace(at, put.size(), put); };
}

Text InSection(const std::string& statements) { return Fixed(Section(statements)); }

const Text kEmpty = Fixed("");

std::vector<FaultCase> FileCases() {
  return {
      {"ScriptHeldWithWritingDenied", InSection("0000 = 11 ;"), Sixteen(), LoadFailedMessage(),
       std::nullopt, true},
      {"EmptyTargetSetByte", InSection("0000 = 11 ;"), kEmpty, ReasonMessage(3), std::nullopt},
      {"EmptyTargetBitSet", InSection("0000 =bit 1XXXXXXX ;"), kEmpty, ReasonMessage(3),
       std::nullopt},
      {"EmptyTargetFillToTop", InSection("00000000 to FFFFFFFF = 11 ;"), kEmpty, std::nullopt,
       kEmpty},
      {"EmptyTargetWithoutStatements", InSection(""), kEmpty, std::nullopt, kEmpty},
  };
}

std::vector<FaultCase> TopAddressCases() {
  return {
      {"SetAtTopAddress", InSection("FFFFFFFF = 00 ;"), Sixteen(), ReasonMessage(3), std::nullopt},
      {"PatternPastTopAddress", InSection("FFFFFFFE = XXXX11 ;"), Sixteen(), ReasonMessage(3),
       std::nullopt},
      {"BitsAtTopAddress", InSection("FFFFFFFF =bit 1XXXXXXX ;"), Sixteen(), ReasonMessage(3),
       std::nullopt},
      {"BitFillToTopAddress", InSection("0000 to FFFFFFFF =bit 1XXXXXXX ;"), Sixteen(),
       ReasonMessage(3), std::nullopt},
      {"FillToTopAddress", InSection("0000 to FFFFFFFF = A5 ;"), Sixteen(), std::nullopt,
       Fixed(std::string(16, '\xA5'))},
      {"FillFromTopAddress", InSection("FFFFFFFF to FFFFFFFF = 11 ;"), Sixteen(), std::nullopt,
       Sixteen()},
      {"FillDownwardsFromTopAddress", InSection("FFFFFFFF to 0000 = 11 ;"), Sixteen(), std::nullopt,
       Sixteen()},
  };
}

constexpr size_t kLongUnit = 100000;

std::vector<FaultCase> LongUnitCases() {
  const std::string longWord(kLongUnit, 'w');
  const Text longPattern = [] { return Section("0000 = " + Repeat("5A", kLongUnit / 2) + " ;"); };
  return {
      {"LongUnitInStatement", InSection("0000 = 11 ; " + longWord + " ;"), Sixteen(),
       ReasonMessage(3), std::nullopt},
      {"LongQuotedTarget", Fixed("#path \"" + std::string(kLongUnit, 't') + "\" 0000 = 11 ; #end"),
       Sixteen(), ReasonMessage(2), std::nullopt},
      {"LongPatternPastTheEnd", longPattern, Sixteen(), ReasonMessage(3), std::nullopt},
      {"LongPatternFillsTheTarget", longPattern, [] { return Counting(kLongUnit / 2); },
       std::nullopt, Fixed(std::string(kLongUnit / 2, '\x5A'))},
      {"LongBitPatternFillsTheTarget",
       [] { return Section("0000 =bit " + Repeat("1XXXXXX0", kLongUnit / 8) + " ;"); },
       [] { return Counting(kLongUnit / 8); }, std::nullopt,
       [] {
         std::string bytes = Counting(kLongUnit / 8);
         for (char& c : bytes) c = static_cast<char>((c | 0x80) & 0xFE);
         return bytes;
       }},
      // Refused before any dialog shows: the driver fails on an unexpected one.
      {"LongDialogFileName",
       Fixed("#path dialog \"T|" + std::string(kLongUnit, 'n') + "|D|*.*|\" 0000 = 11 ; #end"),
       Sixteen(), ReasonMessage(2), std::nullopt},
      {"LongFreeTextUnit", Fixed(longWord + "\r\n" + Section("0000 = 11 ;")), Sixteen(),
       std::nullopt, SixteenWith(0, "\x11")},
  };
}

constexpr size_t kGarbage = 4u << 20;

std::vector<FaultCase> GarbageCases() {
  return {
      {"WordGarbage", [] { return WordGarbage(kGarbage); }, Sixteen(), ReasonMessage(3),
       std::nullopt},
      {"WordGarbageInsideSection",
       [] { return "#path \"t.bin\" 0000 = 11 ; " + WordGarbage(kGarbage) + "\r\n#end\r\n"; },
       Sixteen(), ReasonMessage(3), std::nullopt},
      {"BinaryGarbageInsideSection",
       [] { return "#path \"t.bin\" 0000 = 11 ; " + Binary(kGarbage, '\0') + "\r\n#end\r\n"; },
       Sixteen(), ReasonMessage(3), std::nullopt},
      {"BinaryGarbageBeforeTheSection",
       [] { return Binary(kGarbage, '#') + "\r\n" + Section("0000 = 11 ;"); }, Sixteen(),
       std::nullopt, SixteenWith(0, "\x11")},
      // The text ends at its first zero byte: the directives after it are never read.
      {"WordGarbageAfterZeroByte",
       [] { return Section("0000 = 11 ;") + std::string(1, '\0') + WordGarbage(kGarbage); },
       Sixteen(), std::nullopt, SixteenWith(0, "\x11")},
  };
}

std::vector<FaultCase> AllCases() {
  std::vector<FaultCase> all;
  for (auto part : {FileCases, TopAddressCases, LongUnitCases, GarbageCases}) {
    for (FaultCase& c : part()) all.push_back(std::move(c));
  }
  return all;
}

INSTANTIATE_TEST_SUITE_P(Cases, RunnerFault, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                           return info.param.name;
                         });

TEST(RunnerFaultTarget, FolderNamedAsTheTargetFailsToOpenAndStaysAsItWas) {
  CaseFolder folder;
  folder.Write("t.bin/inside.bin", Counting(16));
  folder.Write("a.qpx", Section("0000 = 11 ;"));
  ExpectMessage(RunScript(folder, true), ReasonMessage(2));
  EXPECT_TRUE(fs::is_directory(folder.File("t.bin")));
  EXPECT_EQ(folder.Read("t.bin/inside.bin"), Counting(16));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.File("t.bin")), fs::directory_iterator()),
            1);
}

// What another program does to the target while qpxrun works on it.
enum class Interference {
  kDelete,              // removes it
  kRewrite,             // writes other bytes into it, at another length
  kRewriteKeepingTime,  // writes other bytes over its first, then puts its
                        // last-write time back (cp -p, rsync -t, touch -r)
  kReplace,             // puts another file in its place
};

constexpr char kOtherBytes[] = "another program's bytes";

// Acts on a file a moment after it was first read (the load), from a child
// process, while the program goes on with its statements: the moment lets
// the load end, whatever else reads the file with it. What the child
// writes is made before it starts.
class InterfereAfterLoad {
 public:
  InterfereAfterLoad(const std::string& path, Interference what) {
    const std::string other = path + ".other";
    if (what == Interference::kReplace) std::ofstream(other, std::ios::binary) << kOtherBytes;
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, path.c_str(), IN_ACCESS) < 0) return;
    child_ = fork();
    if (child_ == 0) {
      char event[sizeof(inotify_event) + 256];
      if (read(watch, event, sizeof event) <= 0) _exit(1);
      const timespec moment{0, 300'000'000};
      nanosleep(&moment, nullptr);
      _exit(Act(what, path.c_str(), other.c_str()) ? 0 : 1);
    }
    close(watch);
  }
  ~InterfereAfterLoad() { Acted(); }
  InterfereAfterLoad(const InterfereAfterLoad&) = delete;
  InterfereAfterLoad& operator=(const InterfereAfterLoad&) = delete;

  // Whether the child acted; ends it if it is still waiting.
  bool Acted() {
    if (child_ <= 0) return false;
    kill(child_, SIGKILL);
    int status = 0;
    waitpid(child_, &status, 0);
    child_ = -1;
    acted_ = acted_ || (WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return acted_;
  }

 private:
  // System calls only: the child of a program with threads.
  static bool Act(Interference what, const char* path, const char* other) {
    switch (what) {
      case Interference::kDelete:
        return unlink(path) == 0;
      case Interference::kRewrite: {
        int fd = open(path, O_WRONLY | O_TRUNC);
        bool written = fd >= 0 && write(fd, kOtherBytes, sizeof kOtherBytes - 1) > 0;
        return close(fd) == 0 && written;
      }
      case Interference::kRewriteKeepingTime: {
        struct stat loaded {};
        int fd = open(path, O_WRONLY);
        bool written = fd >= 0 && fstat(fd, &loaded) == 0 &&
                       write(fd, kOtherBytes, sizeof kOtherBytes - 1) > 0;
        const timespec times[2] = {loaded.st_atim, loaded.st_mtim};
        return written && futimens(fd, times) == 0 && close(fd) == 0;
      }
      case Interference::kReplace:
        return rename(other, path) == 0;
    }
    return false;
  }

  pid_t child_ = -1;
  bool acted_ = false;
};

struct InterferenceCase {
  const char* name;
  Interference what;
  std::optional<std::string> left;  // what the other program left at t.bin
};

class RunnerFaultInterference : public ::testing::TestWithParam<InterferenceCase> {};

// A target that another program removed, rewrote or replaced while the
// section worked on it is not written: the run ends with reason 4, and
// what the other program left stays as it is. The fills keep the program
// busy for a while after the load; had the change come after the save,
// there would be no message.
constexpr size_t kInterferedSize = 1 << 20;

TEST_P(RunnerFaultInterference, TargetChangedBetweenLoadAndSaveIsNotWritten) {
  CaseFolder folder;
  constexpr size_t kSize = kInterferedSize;
  folder.Write("t.bin", Counting(kSize));
  folder.Write("a.qpx", Section("0000 = 11 ;\r\n" + Repeat("0001 to FFFFFFFF = 5A ;\r\n", 1000)));
  InterfereAfterLoad other(folder.File("t.bin"), GetParam().what);

  DriverRun run = RunScript(folder, true);

  ASSERT_TRUE(other.Acted()) << "the other program did not act after the load";
  ExpectMessage(run, ReasonMessage(4));
  ASSERT_EQ(folder.Exists("t.bin"), GetParam().left.has_value());
  if (GetParam().left) {
    EXPECT_EQ(folder.Read("t.bin"), *GetParam().left);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()),
            GetParam().left ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    BetweenLoadAndSave, RunnerFaultInterference,
    ::testing::Values(InterferenceCase{"deleted", Interference::kDelete, std::nullopt},
                      InterferenceCase{"rewritten", Interference::kRewrite, kOtherBytes},
                      InterferenceCase{"replaced", Interference::kReplace, kOtherBytes},
                      InterferenceCase{
                          "rewrittenKeepingTime", Interference::kRewriteKeepingTime,
                          std::string(kOtherBytes) +
                              Counting(kInterferedSize).substr(sizeof kOtherBytes - 1)}),
    [](const ::testing::TestParamInfo<InterferenceCase>& info) { return info.param.name; });

// Leftovers of runs that were killed before they could remove them (their
// hidden new files and backups, named after processes that no longer run,
// as this version names them and as earlier ones did) are removed by the
// next save of the same target: the folder then holds the target and the
// script alone.
TEST(RunnerFaultTarget, NextSaveRemovesWhatKilledRunsLeft) {
  CaseFolder folder;
  folder.Write("t.bin", Counting(16));
  folder.Write("a.qpx", Section("0000 = 11 ;"));
  for (const char* leftover : {"4000000000-0", "4000000000-1~", "4000000004-7"}) {
    folder.Write(Utf8(u8".t.bin\u2042") + leftover, Counting(16));
  }
  folder.Write(platform::ReplacementName("t.bin", 4000000000u, 0), Counting(16));
  folder.Write(platform::BackupName("t.bin", 4000000004u, 9), Counting(16));
  ExpectSilentRun(RunScript(folder, false));
  EXPECT_EQ(folder.Read("t.bin"), "\x11" + Counting(16).substr(1));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace e2e
