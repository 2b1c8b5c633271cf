#include "console/ExitStatus.h"

#include <array>

namespace {

constexpr int32_t kLastReason = 6;

constexpr std::array<ExitStatusRow, 19> kRows = {{
    {kExitSuccess, "success (check: the run would succeed)"},
    {kExitInternal, "out of memory or an internal fault"},
    {kExitUsage, "the command line is faulty"},
    {kExitLoadFailed, "the script could not be read"},
    {kExitReasonBase + 0, "reason 0: a unit could not be parsed"},
    {kExitReasonBase + 1, "reason 1: there is no unit to parse"},
    {kExitReasonBase + 2, "reason 2: the target file could not be opened"},
    {kExitReasonBase + 3, "reason 3: the script has a problem"},
    {kExitReasonBase + 4, "reason 4: the target could not be saved"},
    {kExitReasonBase + 5, "reason 5: no #end, so nothing was saved"},
    {kExitReasonBase + 6, "reason 6: cancelled (a dialog target not given)"},
    {kExitOtherReason, "the run stopped for another reason"},
    {kExitNoRegistry, "no registry on this system"},
    {kExitFirstUnreadable, "the first file cannot be read"},
    {kExitSecondUnreadable, "the second file cannot be read"},
    {kExitSizesDiffer, "the two files differ in size"},
    {kExitNoDifferences, "diff: the files are equal, no script written"},
    {kExitCannotCreate, "diff: the script file cannot be created"},
    {kExitCannotWrite, "the output cannot be written"},
}};

}  // namespace

int ExitStatusOfReason(int32_t reason) {
  if (reason < 0 || reason > kLastReason) return kExitOtherReason;
  return kExitReasonBase + reason;
}

std::span<const ExitStatusRow> ExitStatusTable() { return kRows; }
