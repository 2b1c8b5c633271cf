// Fuzz target: qpxdiff's comparison, listing and script writer on two files
// of equal size made from the input, with the
// oracle that matters to the user: the script written forward, run as
// qpxrun runs it, turns the first file into the second, and the script
// written in reverse turns the second back into the first.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compare/Comparison.h"
#include "compare/Listing.h"
#include "compare/ScriptFile.h"
#include "compare/ScriptText.h"
#include "interpreter/RunLoop.h"
#include "interpreter/StatementTables.h"
#include "qpxrun/RunnerHost.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "tests/fuzz/MemoryFolder.h"
#include "tests/support/TestFiles.h"
#include "text/HexString.h"

namespace {

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "diff script invariant broken: %s\n", what);
  std::abort();
}

const TempFolder& Folder() {
  static TempFolder folder;
  return folder;
}

// The first file's name holds a space and a double-byte character whose
// second byte is a backslash (表, 95 5C in CP932), so the script must
// escape both. The core names it in CP932; on disk it is UTF-8.
std::string FirstPath() { return Folder().File("one \x95\x5C.bin"); }
constexpr char kFirstOnDisk[] = "one \xE8\xA1\xA8.bin";
std::string SecondPath() { return Folder().File("two.bin"); }

void CheckDifferences(const std::string& first, const std::string& second,
                      const CComparison& comparison) {
  const DiffList& differences = comparison.Differences();
  size_t next = 0;
  for (uint32_t at = 0; at < first.size(); ++at) {
    if (first[at] == second[at]) continue;
    if (next == differences.size()) Die("a differing byte is missing from the list");
    const DiffEntry& entry = differences[next++];
    if (entry.address != at || entry.first != static_cast<unsigned char>(first[at]) ||
        entry.second != static_cast<unsigned char>(second[at])) {
      Die("a listed difference is not the bytes of the files");
    }
  }
  if (next != differences.size()) Die("the list holds a byte that does not differ");
  if (comparison.FoundDifferences() == differences.empty()) Die("wrong found flag");
}

// Even-length upper-case hexadecimal without a leading zero pair.
bool IsEvenHex(const std::string& text) {
  if (text.empty() || text.size() % 2 != 0 || !HexString::IsHexString(text)) return false;
  for (char c : text) {
    if (c >= 'a' && c <= 'f') return false;
  }
  return text.size() == 2 || text.compare(0, 2, "00") != 0;
}

// Reads the listing back, line by line, and finds the list in it.
void CheckListing(const CComparison& comparison) {
  const DiffList& differences = comparison.Differences();
  std::string listing;
  StreamListing(FirstPath(), SecondPath(), differences, [&listing](std::string_view piece) {
    listing.append(piece);
    return true;
  });
  const std::string header = "Address = " + FirstPath() + " : " + SecondPath() + "\r\n";
  if (listing.compare(0, header.size(), header) != 0) Die("the listing header is wrong");
  size_t at = header.size();
  if (differences.empty() && listing.substr(at) != kNoDifferencesLine) Die("no-differences line");
  for (const DiffEntry& entry : differences) {
    const size_t end = listing.find("\r\n", at);
    if (end == std::string::npos) Die("the listing ends early");
    const std::string line = listing.substr(at, end - at);
    const size_t equals = line.find(" = ");
    const size_t colon = line.find(" : ");
    if (equals == std::string::npos || colon != equals + 5) Die("a listing line is malformed");
    const std::string address = line.substr(0, equals);
    const std::string firstByte = line.substr(equals + 3, 2);
    const std::string secondByte = line.substr(colon + 3);
    if (!IsEvenHex(address) || !IsEvenHex(firstByte) || !IsEvenHex(secondByte)) {
      Die("a listing number is not even-length hexadecimal");
    }
    if (HexString::ToValue<unsigned int>(address) != entry.address ||
        HexString::ToValue<unsigned char>(firstByte) != entry.first ||
        HexString::ToValue<unsigned char>(secondByte) != entry.second) {
      Die("a listing line does not read back as its difference");
    }
    at = end + 2;
  }
  if (!differences.empty() && at != listing.size()) Die("the listing has extra text");
}

// Writes the script of one direction beside the files and runs it.
void RunWrittenScript(const CComparison& comparison, Direction direction) {
  const std::string firstPath = FirstPath();
  const std::string secondPath = SecondPath();
  const std::string& source = ScriptSourcePath(firstPath, secondPath, direction);
  const std::string scriptPath = Folder().File("diff.qpx");
  if (StreamScriptFile(scriptPath, source, comparison.Differences(), direction) !=
      ScriptWriteResult::kWritten) {
    Die("script not written");
  }
  CScriptFile script(QuopraStatements());
  if (!script.Load(scriptPath)) Die("the written script does not load");
  try {
    CRunnerHost host;
    RunUnits(script, host);
  } catch (const CParseScriptException& failure) {
    std::fprintf(stderr, "reason %d\n", static_cast<int>(failure.GetReason()));
    Die("the written script fails");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PreferMemoryFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The second half says where the files differ: the second file is the
  // first with each byte XORed by it, so most mutations change few bytes.
  const size_t half = size / 2;
  const std::string first(reinterpret_cast<const char*>(data), half);
  std::string second = first;
  for (size_t i = 0; i < half; ++i) second[i] = static_cast<char>(second[i] ^ data[half + i]);
  Folder().Write(kFirstOnDisk, first);
  Folder().Write("two.bin", second);

  CComparison comparison;
  if (comparison.CompareFiles(FirstPath(), SecondPath()) != CompareOutcome::kCompared) {
    Die("two readable files of equal size were not compared");
  }
  CheckDifferences(first, second, comparison);
  CheckListing(comparison);

  RunWrittenScript(comparison, Direction::kForward);
  if (ReadFileBytes(Folder().File(kFirstOnDisk)) != second) {
    Die("the forward script did not make the second file");
  }
  Folder().Write(kFirstOnDisk, first);
  RunWrittenScript(comparison, Direction::kReverse);
  if (ReadFileBytes(SecondPath()) != first) Die("the reverse script did not make the first file");
  return 0;
}
