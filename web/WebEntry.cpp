// What the page calls: running a script with the page as its host, and
// comparing two files for the listing and the scripts. Paths arrive in
// UTF-8 and are the core's CP932 from here on.
#include <emscripten.h>

#include <memory>
#include <new>
#include <string>

#include "compare/Comparison.h"
#include "compare/Listing.h"
#include "compare/ScriptFile.h"
#include "compare/ScriptText.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "platform/Cp932_posix.h"
#include "web/PageCalls.h"
#include "web/ScriptSections.h"
#include "web/WebHost.h"

namespace {

// What the calls answer beside their own results.
constexpr int kDone = 0;
constexpr int kFailed = 1;         // the host has been told why
constexpr int kLoadFailed = 2;     // the script could not be read
constexpr int kNoCp932Form = 3;    // a name has no CP932 form
constexpr int kNoDifferences = 4;  // equal files: no script to write

std::unique_ptr<CScriptFile>& TheScript() {
  static std::unique_ptr<CScriptFile> script;
  return script;
}

CComparison& TheComparison() {
  static CComparison comparison;
  return comparison;
}

bool Cp932(const char* utf8, std::string& cp932) {
  return platform::posix::ToCp932Name(utf8, cp932);
}

const TextSink& PageSink() {
  static const TextSink sink = [](std::string_view piece) {
    page::TextPiece(piece.data(), piece.size());
    return true;
  };
  return sink;
}

}  // namespace

extern "C" {

// Loads the script at path; it stays loaded, to be listed and run as it
// was read, until the next is loaded.
EMSCRIPTEN_KEEPALIVE int qpx_load(const char* path) {
  std::unique_ptr<CScriptFile>& script = TheScript();
  script.reset();
  std::string scriptPath;
  if (!Cp932(path, scriptPath)) return kNoCp932Form;
  auto loaded = std::make_unique<CScriptFile>(QuopraStatements());
  if (!LoadScript(*loaded, scriptPath)) return kLoadFailed;
  script = std::move(loaded);
  return kDone;
}

// Runs the loaded script, asking the page for its targets.
EMSCRIPTEN_KEEPALIVE int qpx_run() {
  if (!TheScript()) return kLoadFailed;
  CWebHost host;
  host.SetUnits(*TheScript());
  return RunScript(*TheScript(), host) ? kFailed : kDone;
}

// Lists the sections of the loaded script to the page, before it runs.
EMSCRIPTEN_KEEPALIVE int qpx_sections() {
  if (!TheScript()) return kLoadFailed;
  for (const ListedSection& section : ListSections(TheScript()->units)) {
    page::SectionListed(section.directive, section.dialog, page::Shown(section.argument),
                        page::Shown(section.body));
  }
  return kDone;
}

// Compares the two files: a CompareOutcome, or one of the answers below.
constexpr int kFirstHasNoCp932Form = 4;
constexpr int kSecondHasNoCp932Form = 5;
constexpr int kComparisonOutOfMemory = 6;

EMSCRIPTEN_KEEPALIVE int qpx_compare(const char* first, const char* second) {
  std::string firstPath, secondPath;
  TheComparison().ClearDifferences();
  if (!Cp932(first, firstPath)) return kFirstHasNoCp932Form;
  if (!Cp932(second, secondPath)) return kSecondHasNoCp932Form;
  try {
    return static_cast<int>(TheComparison().CompareFiles(firstPath, secondPath));
  } catch (const std::bad_alloc&) {
    return kComparisonOutOfMemory;
  }
}

EMSCRIPTEN_KEEPALIVE double qpx_difference_count() {
  return static_cast<double>(TheComparison().Differences().size());
}

// The lines of the listing of the last comparison.
EMSCRIPTEN_KEEPALIVE double qpx_listing_lines() {
  return static_cast<double>(ListingLineCount(TheComparison().Differences()));
}

// The listing's lines from first, at most count, in pieces to the page:
// the page asks for those in view. Shown, not saved, so in the page's
// UTF-8 throughout (its literals are UTF-8 here).
EMSCRIPTEN_KEEPALIVE int qpx_listing(double first, double count) {
  const CComparison& comparison = TheComparison();
  ListingLines lines{static_cast<size_t>(first), static_cast<size_t>(count)};
  return StreamListing(page::Shown(comparison.FirstPath()),
                       page::Shown(comparison.SecondPath()), comparison.Differences(),
                       PageSink(), kNoDifferencesLine, lines)
             ? kDone
             : kFailed;
}

// The script of the last comparison in the direction (0 forward, 1
// reverse), in pieces to the page, and its zero byte, naming its target
// by sourceName.
EMSCRIPTEN_KEEPALIVE int qpx_script(int reverse, const char* sourceName) {
  std::string name;
  if (!Cp932(sourceName, name)) return kNoCp932Form;
  if (!ScriptCanName(name)) return kFailed;
  if (TheComparison().Differences().empty()) return kNoDifferences;
  Direction direction = reverse ? Direction::kReverse : Direction::kForward;
  if (!StreamScript(name, TheComparison().Differences(), direction, PageSink())) return kFailed;
  page::TextPiece("", 1);
  return kDone;
}

// The name qpxdiff proposes for a script of the file, in the page's
// UTF-8; empty when the name has no CP932 form.
EMSCRIPTEN_KEEPALIVE const char* qpx_script_name(const char* sourceName) {
  static std::string shown;
  std::string name;
  shown.clear();
  if (Cp932(sourceName, name)) shown = page::Shown(SuggestScriptLocation(name).name);
  return shown.c_str();
}

}  // extern "C"
