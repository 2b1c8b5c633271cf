#include "console/ExitStatus.h"

#include <array>
#include <iterator>

#include "language/ParseScriptException.h"

namespace {

constexpr ExitStatusRow kBeforeReasons[] = {
    {kExitSuccess, "success (check: the run would succeed)"},
    {kExitInternal, "out of memory or an internal fault"},
    {kExitUsage, "the command line is faulty"},
    {kExitLoadFailed, "the script could not be read"},
};

// Indexed by reason code.
constexpr std::string_view kReasonMeanings[] = {
    "reason 0: a unit could not be parsed",
    "reason 1: there is no unit to parse",
    "reason 2: the target file could not be opened",
    "reason 3: the script has a problem",
    "reason 4: the target could not be saved",
    "reason 5: no #end, so nothing was saved",
    "reason 6: cancelled (a dialog target not given)",
};
static_assert(ReasonTableFits(kReasonMeanings));

constexpr ExitStatusRow kAfterReasons[] = {
    {kExitOtherReason, "the run stopped for another reason"},
    {kExitNoRegistry, "no registry on this system"},
    {kExitFirstUnreadable, "the first file cannot be read"},
    {kExitSecondUnreadable, "the second file cannot be read"},
    {kExitSizesDiffer, "the two files differ in size"},
    {kExitNoDifferences, "diff: the files are equal, no script written"},
    {kExitCannotCreate, "diff: the script file cannot be created"},
    {kExitCannotWrite, "the output cannot be written"},
    {kExitOutputIsInput, "diff: the output is one of the compared files, nothing written"},
    {kExitCannotName, "diff: no script can name the file it would change"},
};

constexpr auto kRows = [] {
  std::array<ExitStatusRow, std::size(kBeforeReasons) + kReasonCount + std::size(kAfterReasons)>
      rows{};
  size_t at = 0;
  for (const ExitStatusRow& row : kBeforeReasons) rows[at++] = row;
  for (size_t reason = 0; reason < kReasonCount; ++reason) {
    rows[at++] = {kExitReasonBase + static_cast<int>(reason), kReasonMeanings[reason]};
  }
  for (const ExitStatusRow& row : kAfterReasons) rows[at++] = row;
  return rows;
}();

}  // namespace

static_assert(kExitReasonBase + kReasonCount == kExitOtherReason,
              "one status for each reason, then the status of any other");

int ExitStatusOfReason(int32_t reason) {
  if (!IsReason(reason)) return kExitOtherReason;
  return kExitReasonBase + reason;
}

std::span<const ExitStatusRow> ExitStatusTable() { return kRows; }
