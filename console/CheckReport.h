// What check prints: per section its target and what running it would do,
// and where the script ends when that makes it do less than it seems to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/Texts.h"
#include "interpreter/DryRun.h"
#include "platform/OriginMark.h"

// "already applied" when no byte would change, "not applied" when none
// already holds its new value, "partly applied" otherwise.
std::string_view AppliedState(const StoreCounts& counts, Language language);

// The line on where a script came from, as the system marked it on its
// download: its zone and, where the mark says, the address.
std::string MarkLine(const platform::OriginMark& mark, Language language);

// Where the units of a checked script ran out, as lines of the script
// (from 1; 0 where there is nothing to tell).
struct ScriptEndLines {
  bool reached = false;     // every unit was read
  size_t last = 0;          // the line of the last unit
  size_t openSection = 0;   // the directive of a section the script ends inside
  size_t cutStatement = 0;  // the start of a statement the script ends inside
};

// The report of all sections, CP932 text with LF line ends.
std::string BuildCheckReport(const std::vector<SectionReport>& sections, const ScriptEndLines& end,
                             Language language);
