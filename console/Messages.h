// What qpx alone says to a person, in the user's language: progress, the
// question before a downloaded script, and the failures only the console
// meets. The messages the page shows too are the core's
// (interpreter/Messages.h).
#pragma once

#include <string_view>

#include "interpreter/Messages.h"

enum class ConsoleMessage {
  kOutOfMemory,     // no memory
  kInternalFault,   // %1 what failed
  kLoading,         // progress: %1 the script
  kComparing,       // progress: %1 and %2 the files
  kOutputIsInput,   // diff: %1 the output, %2 the compared file it is
  kNoFullPath,      // diff: %1 a file whose full path has no CP932 form
  kSaving,          // progress: %1 the target
  kFromInternet,    // %1 the script, %2 ", from URL" or nothing: what running it changes follows
  kRunIt,           // the question, answered y or n
  kNeedsTrust,      // %1 the script: no terminal to ask
  kRestricted,      // %1 the script: from a restricted site
  kCount
};

std::string_view MessageText(ConsoleMessage message, Language language);
