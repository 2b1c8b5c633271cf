// What qpx says to a person about a run or a comparison, in the user's
// language: the reasons a run stops, the comparison's file messages (the
// Japanese texts are qpxrun's and qpxdiff's own), and qpx's own messages.
#pragma once

#include <cstdint>
#include <string_view>

#include "compare/DiffMessages.h"
#include "text/Texts.h"

// The reason a run stopped; a code that names none gives the general
// failure message.
std::string_view ReasonText(int32_t reason, Language language);

// A message of the comparison (qpxdiff's message boxes).
std::string_view FileText(DiffMessage message, Language language);

enum class Message {
  kLoadFailed,      // the script cannot be read (qpxrun's message)
  kNoRegistry,      // a registry statement on a system without one
  kWhere,           // %1 the script and line, %2 the unit's number, %3 the unit
  kNoCp932Form,     // added after a name that cannot stand in CP932 text
  kOutOfMemory,     // no memory
  kInternalFault,   // %1 what failed
  kLoading,         // progress: %1 the script
  kComparing,       // progress: %1 and %2 the files
  kSizesDiffer,     // diff, list: the files differ in size (qpxdiff's pane text, one line)
  kNoDifferences,   // diff, list: the files are equal (qpxdiff's pane text)
  kOutputIsInput,   // diff: %1 the output, %2 the compared file it is
  kNoFullPath,      // diff: %1 a file whose full path has no CP932 form
  kCannotName,      // diff: %1 a file whose name no script can carry
  kSaving,          // progress: %1 the target
  kFromInternet,    // %1 the script, %2 ", from URL" or nothing: what running it changes follows
  kRunIt,           // the question, answered y or n
  kNeedsTrust,      // %1 the script: no terminal to ask
  kRestricted,      // %1 the script: from a restricted site
  kCount
};

std::string_view MessageText(Message message, Language language);
