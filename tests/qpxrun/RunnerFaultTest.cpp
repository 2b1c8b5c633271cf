// qpxrun against hostile inputs and failing files, run as the program runs
// (RunRunner with a script path) on real files: each case must end with the
// right message, and leave the target either byte-for-byte unchanged or
// fully patched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/standin/StandIn.h"
#include "interpreter/Outcome.h"
#include "qpxrun/RunnerEntry.h"
#include "language/ParseScriptException.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/TestFiles.h"

namespace {

using platform::standin::Recorder;

// What the run shows: nothing, the load failure, or a reason's message.
struct Shown {
  enum Kind { kNothing, kLoadFailed, kReason } kind;
  int32_t reason = 0;
};
constexpr Shown kNothingShown{Shown::kNothing};
constexpr Shown kLoadFailure{Shown::kLoadFailed};
constexpr Shown Reason(int32_t reason) { return {Shown::kReason, reason}; }

enum class TargetKind { kFile, kReadOnlyFile, kFolder, kAbsent };

// Texts are made when a case runs, not when the cases are listed: some are
// megabytes long, and every test process lists every case.
using Text = std::function<std::string()>;

Text Fixed(std::string text) {
  return [text] { return text; };
}

struct FaultCase {
  std::string name;
  Text script;  // the text of script.qpx, which names t.bin
  TargetKind target;
  Text targetBytes;
  Shown shown;
  std::optional<Text> patched;  // nothing: t.bin stays as it was
  bool scriptReadOnly = false;
};

// Deterministic bytes of every value but zero, or of every value.
std::string Garbage(size_t size, bool withZeros, char excluded = '\0') {
  std::string bytes(size, '\0');
  uint32_t state = 0x9E3779B9u;
  for (char& c : bytes) {
    do {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      c = static_cast<char>(state >> 24);
    } while ((!withZeros && c == '\0') || (excluded != '\0' && c == excluded));
  }
  return bytes;
}

std::string Counting(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
  return bytes;
}

std::string With(std::string bytes, size_t at, const std::string& put) {
  bytes.replace(at, put.size(), put);
  return bytes;
}

std::string Section(const std::string& statements) {
  return "#path \"t.bin\"\n" + statements + "\n#end\n";
}

std::string Repeat(const std::string& text, size_t times) {
  std::string all;
  all.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i) all += text;
  return all;
}

Text Sixteen() { return [] { return Counting(16); }; }

Text SixteenWith(size_t at, std::string put) {
  return [at, put] { return With(Counting(16), at, put); };
}

Text InSection(std::string statements) { return Fixed(Section(statements)); }

const Text kNoBytes = Fixed("");

std::vector<FaultCase> FileCases() {
  return {
      {"ReadOnlyTarget", InSection("0000 = 11 ;"), TargetKind::kReadOnlyFile, Sixteen(),
       Reason(TargetOpenFailed), std::nullopt},
      {"ReadOnlyScript", InSection("0000 = 11 ;"), TargetKind::kFile, Sixteen(), kLoadFailure,
       std::nullopt, true},
      {"TargetIsFolder", InSection("0000 = 11 ;"), TargetKind::kFolder, kNoBytes,
       Reason(TargetOpenFailed), std::nullopt},
      {"TargetMissing", InSection("0000 = 11 ;"), TargetKind::kAbsent, kNoBytes,
       Reason(TargetOpenFailed), std::nullopt},
      {"EmptyTargetSetByte", InSection("0000 = 11 ;"), TargetKind::kFile, kNoBytes,
       Reason(ScriptError), std::nullopt},
      {"EmptyTargetFillToTop", InSection("00000000 to FFFFFFFF = 11 ;"), TargetKind::kFile,
       kNoBytes, kNothingShown, kNoBytes},
      {"EmptyTargetBitFill", InSection("0000 to FFFFFFFF =bit 1XXXXXXX ;"), TargetKind::kFile,
       kNoBytes, Reason(ScriptError), std::nullopt},
      {"EmptyTargetSavedAsIs", InSection(""), TargetKind::kFile, kNoBytes, kNothingShown,
       kNoBytes},
  };
}

Text FillPatternFromFour() {
  return [] {
    std::string bytes = Counting(16);
    for (size_t at = 4; at < 16; at += 3) bytes.replace(at, 2, "\x01\x02");
    return bytes;
  };
}

std::vector<FaultCase> TopAddressCases() {
  return {
      {"SetAtTopAddress", InSection("FFFFFFFF = 11 ;"), TargetKind::kFile, Sixteen(),
       Reason(ScriptError), std::nullopt},
      {"WildcardAtTopAddress", InSection("FFFFFFFF = XX ; 0000 = 11 ;"), TargetKind::kFile,
       Sixteen(), kNothingShown, SixteenWith(0, "\x11")},
      {"PatternPastTopAddress", InSection("FFFFFFFE = XXXX11 ;"), TargetKind::kFile, Sixteen(),
       Reason(ScriptError), std::nullopt},
      {"BitsAtTopAddress", InSection("FFFFFFFF =bit 1XXXXXXX ;"), TargetKind::kFile, Sixteen(),
       Reason(ScriptError), std::nullopt},
      {"AddressOverThirtyTwoBits", InSection("0100000000 = 11 ;"), TargetKind::kFile, Sixteen(),
       Reason(ScriptError), std::nullopt},
      {"FillToTopAddress", InSection("0000 to FFFFFFFF = A5 ;"), TargetKind::kFile, Sixteen(),
       kNothingShown, Fixed(std::string(16, '\xA5'))},
      {"FillPatternToTopAddress", InSection("0004 to FFFFFFFF = 0102XX ;"), TargetKind::kFile,
       Sixteen(), kNothingShown, FillPatternFromFour()},
      {"FillFromTopAddress", InSection("FFFFFFFF to FFFFFFFF = 11 ;"), TargetKind::kFile,
       Sixteen(), kNothingShown, Sixteen()},
      {"FillDownwards", InSection("FFFFFFFF to 0000 = 11 ;"), TargetKind::kFile, Sixteen(),
       kNothingShown, Sixteen()},
      {"BitFillToTopAddress", InSection("0000 to FFFFFFFF =bit 1XXXXXXX ;"), TargetKind::kFile,
       Sixteen(), Reason(ScriptError), std::nullopt},
  };
}

constexpr size_t kLongUnit = 100000;

Text LongPatternSection() {
  return [] { return Section("0000 = " + Repeat("5A", kLongUnit / 2) + " ;"); };
}

Text BitsApplied() {
  return [] {
    std::string bytes = Counting(kLongUnit / 8);
    for (char& c : bytes) c = static_cast<char>((c | 0x80) & 0xFE);
    return bytes;
  };
}

std::vector<FaultCase> LongUnitCases() {
  const std::string longWord(kLongUnit, 'w');
  return {
      {"LongPatternUnit", LongPatternSection(), TargetKind::kFile,
       [] { return Counting(kLongUnit / 2); }, kNothingShown,
       Fixed(std::string(kLongUnit / 2, '\x5A'))},
      {"LongPatternUnitPastTheEnd", LongPatternSection(), TargetKind::kFile, Sixteen(),
       Reason(ScriptError), std::nullopt},
      {"LongBitPatternUnit", [] { return Section("0000 =bit " + Repeat("1XXXXXX0", kLongUnit / 8) + " ;"); },
       TargetKind::kFile, [] { return Counting(kLongUnit / 8); }, kNothingShown, BitsApplied()},
      {"LongFreeTextUnit", Fixed(longWord + "\n" + Section("0000 = 11 ;")), TargetKind::kFile,
       Sixteen(), kNothingShown, SixteenWith(0, "\x11")},
      {"LongUnitInSection", InSection("0000 = 11 ; " + longWord), TargetKind::kFile, Sixteen(),
       Reason(ScriptError), std::nullopt},
      {"LongQuotedTarget", Fixed("#path \"" + std::string(kLongUnit, 't') + "\" 0000 = 11 ; #end"),
       TargetKind::kFile, Sixteen(), Reason(TargetOpenFailed), std::nullopt},
      {"LongDialogFileName",
       Fixed("#path dialog \"T|" + std::string(kLongUnit, 'n') + "|D|*.*|\" 0000 = 11 ; #end"),
       TargetKind::kFile, Sixteen(), Reason(TargetOpenFailed), std::nullopt},
  };
}

constexpr size_t kGarbage = 4u << 20;

std::vector<FaultCase> GarbageCases() {
  const Text patched = SixteenWith(0, "\x11");
  return {
      {"GarbageInsideSection",
       [] { return "#path \"t.bin\" 0000 = 11 ; " + Garbage(kGarbage, false); },
       TargetKind::kFile, Sixteen(), Reason(ScriptError), std::nullopt},
      {"GarbageBeforeDirectives",
       [] { return Garbage(kGarbage, false, '#') + "\n" + Section("0000 = 11 ;"); },
       TargetKind::kFile, Sixteen(), kNothingShown, patched},
      {"GarbageAfterZeroByte",
       [] { return Section("0000 = 11 ;") + '\0' + Garbage(kGarbage, true); }, TargetKind::kFile,
       Sixteen(), kNothingShown, patched},
      {"GarbageAfterLastSection",
       [] { return Section("0000 = 11 ;") + Garbage(kGarbage, false, '#'); }, TargetKind::kFile,
       Sixteen(), kNothingShown, patched},
  };
}

void Lay(const TempFolder& folder, TargetKind kind, const std::string& bytes) {
  const std::string path = folder.File("t.bin");
  switch (kind) {
    case TargetKind::kFile:
      folder.Write("t.bin", bytes);
      break;
    case TargetKind::kReadOnlyFile:
      MakeReadOnly(folder.Write("t.bin", bytes));
      break;
    case TargetKind::kFolder:
      std::filesystem::create_directory(path);
      break;
    case TargetKind::kAbsent:
      break;
  }
}

void ExpectShown(const Shown& shown) {
  const auto& boxes = Recorder().messageBoxes;
  if (shown.kind == Shown::kNothing) {
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  const OutcomeMessage& expected =
      shown.kind == Shown::kLoadFailed ? LoadFailedMessage() : ReasonMessage(shown.reason);
  EXPECT_EQ(boxes[0].text, expected.text);
  EXPECT_EQ(boxes[0].caption, expected.caption);
  EXPECT_EQ(boxes[0].flags, expected.flags);
}

class RunnerFault : public StandInTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(RunnerFault, ReportsAndLeavesTargetUnchangedOrWhole) {
  const FaultCase& c = GetParam();
  TempFolder folder;
  Lay(folder, c.target, c.targetBytes());
  const std::string text = c.script();
  const std::string script = folder.Write("script.qpx", text);
  if (c.scriptReadOnly) MakeReadOnly(script);
  const PathState before = StateOf(folder.File("t.bin"));

  EXPECT_EQ(RunRunner(script), 0);

  ExpectShown(c.shown);
  const PathState after = StateOf(folder.File("t.bin"));
  if (!c.patched) {
    EXPECT_TRUE(after == before) << "the target changed";
  } else {
    const std::string patched = (*c.patched)();
    EXPECT_EQ(after.mode, before.mode);
    EXPECT_EQ(after.bytes.size(), patched.size());
    EXPECT_TRUE(after.bytes == patched) << "the target is not patched as the script says";
  }
  EXPECT_TRUE(StateOf(script).bytes == text) << "the script changed";
}

std::vector<FaultCase> AllCases() {
  std::vector<FaultCase> all;
  for (auto part : {FileCases, TopAddressCases, LongUnitCases, GarbageCases}) {
    for (FaultCase& c : part()) all.push_back(std::move(c));
  }
  return all;
}

INSTANTIATE_TEST_SUITE_P(Cases, RunnerFault, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<FaultCase>& info) {
                           return info.param.name;
                         });

class RunnerFaultFiles : public StandInTest {};

// The new image goes to a new file first: the device failing under it
// leaves the target as it was, and the new file is removed.
TEST_F(RunnerFaultFiles, DeviceFailingMidWriteIsReportedAndLeavesTheTarget) {
  TempFolder folder;
  const std::string original = Counting(4096);
  const std::string target = folder.Write("t.bin", original);
  const std::string script = folder.Write("script.qpx", Section("0000 to 0FFF = EE ;"));
  {
    FileSizeLimit limit(1000);
    RunRunner(script);
  }
  ExpectShown(Reason(SaveFailed));
  EXPECT_TRUE(ReadFileBytes(target) == original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST_F(RunnerFaultFiles, TargetOfFourGiBOrMoreIsRefusedUnread) {
  TempFolder folder;
  const std::string target = folder.Write("t.bin", "");
  ASSERT_EQ(truncate(target.c_str(), static_cast<off_t>(4 * kGiB + 16)), 0);  // sparse
  RunRunner(folder.Write("script.qpx", Section("0000 = 11 ;")));
  ExpectShown(Reason(TargetOpenFailed));
  EXPECT_EQ(std::filesystem::file_size(target), 4 * kGiB + 16);
}

// Reads and writes more than 2 GiB, so it runs only when asked for with
// QPX_LARGE_FILE_TESTS=1.
TEST_F(RunnerFaultFiles, TargetOverTwoGiBIsPatchedWhole) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "the sanitized build refuses allocations over 2 GiB";
  const char* wanted = std::getenv("QPX_LARGE_FILE_TESTS");
  if (wanted == nullptr || std::string(wanted) != "1") {
    GTEST_SKIP() << "moves 2 GiB twice; set QPX_LARGE_FILE_TESTS=1 to run it";
  }
  TempFolder folder;
  const std::string target = folder.Write("t.bin", "");
  const uint64_t size = 2 * kGiB + 16;
  std::error_code ignored;
  if (std::filesystem::space(folder.Path(), ignored).available < size + kGiB) {
    GTEST_SKIP() << "less than 3 GiB free beside the temporary folder";
  }
  ASSERT_EQ(truncate(target.c_str(), static_cast<off_t>(size)), 0);
  RunRunner(folder.Write("script.qpx",
                         Section("80000000 = 11 ; 8000000F =bit 1XXXXXXX ; 0000 = 22 ;")));
  ExpectShown(kNothingShown);
  ASSERT_EQ(std::filesystem::file_size(target), size);
  std::ifstream in(target, std::ios::binary);
  std::string head(4, '\0');
  std::string top(16, '\0');
  in.read(head.data(), 4);
  in.seekg(static_cast<std::streamoff>(2 * kGiB));
  in.read(top.data(), 16);
  EXPECT_EQ(head, std::string("\x22\0\0\0", 4));
  EXPECT_EQ(top, "\x11" + std::string(14, '\0') + "\x80");
}

}  // namespace
