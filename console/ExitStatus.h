// qpx's exit statuses: 0 for success, 2 for a faulty command line, and one
// status of its own for every other outcome, so that a calling script can
// tell them apart.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "text/Texts.h"

enum ExitStatus : int {
  kExitSuccess = 0,
  kExitInternal = 1,           // no memory, or a fault of qpx itself
  kExitUsage = 2,              // the command line is faulty
  kExitLoadFailed = 3,         // the script could not be read
  kExitReasonBase = 10,        // + reason: the run stopped with that reason
  kExitOtherReason = 17,       // the run stopped for any other reason
  kExitNoRegistry = 18,        // a registry statement on a system without one
  kExitFirstUnreadable = 20,   // diff, list: the first file cannot be read
  kExitSecondUnreadable = 21,  // diff, list: the second file cannot be read
  kExitSizesDiffer = 22,       // diff, list: the files differ in size
  kExitNoDifferences = 23,     // diff: the files are equal, no script to write
  kExitCannotCreate = 24,      // diff: the script file cannot be created
  kExitCannotWrite = 25,       // diff, list: the output cannot be written
  kExitOutputIsInput = 26,     // diff: the output is one of the compared files
  kExitCannotName = 27,        // diff: no script can name the file it changes
  kExitNotTrusted = 28,        // a downloaded script not confirmed, or (check too) restricted
};

// The status of a run that stopped with a reason code: kExitReasonBase
// plus a reason, or kExitOtherReason for a code that names none.
int ExitStatusOfReason(int32_t reason);

struct ExitStatusRow {
  int status;
  Texts meaning;
};

// Every status with its meaning, in ascending order, for --help.
std::span<const ExitStatusRow> ExitStatusTable();
