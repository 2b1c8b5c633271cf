// What qpx and the page say to a person about a run or a comparison that
// failed, in the user's language: the reasons a run stops, the
// comparison's file messages (the Japanese texts are qpxrun's and
// qpxdiff's own), and the other messages both show.
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

// A registry statement on a system without one: the message, and what
// qpx's exit status for it means.
inline constexpr Texts kNoRegistryTexts{"no registry on this system",
                                        "このシステムにはレジストリがありません"};

enum class Message {
  kLoadFailed,      // the script cannot be read (qpxrun's message)
  kNoRegistry,      // a registry statement on a system without one
  kWhere,           // %1 the script and line, %2 the unit's number, %3 the unit
  kNoCp932Form,     // added after a name that cannot stand in CP932 text
  kSizesDiffer,     // diff, list: the files differ in size (qpxdiff's pane text, one line)
  kNoDifferences,   // diff, list: the files are equal (qpxdiff's pane text)
  kCannotName,      // diff: %1 a file whose name no script can carry
  kCount
};

std::string_view MessageText(Message message, Language language);
