// What running a script would change, as the lines of the question asked
// before a downloaded script runs: qpxrun's box and qpx's terminal show
// the same lines, in Japanese or English.
#pragma once

#include <cstddef>
#include <string>

#include "interpreter/DryRun.h"
#include "text/Texts.h"

// How much of the list a question can show.
struct ChangeListLayout {
  size_t mostLines;    // registry values and files together
  size_t longestLine;  // in bytes; a longer file line is cut and says so
};

// Shows everything, whole.
inline constexpr ChangeListLayout kWholeChangeList{static_cast<size_t>(-1),
                                                   static_cast<size_t>(-1)};

// The line cut to at most longest bytes, its end saying so, never inside
// a double-byte character.
std::string FittedLine(const std::string& line, size_t longest, Language language);

// True when every registry value fits the layout whole, each on one line:
// a question that cannot show them so must show them in a box that
// scrolls.
bool RegistryValuesFit(const RunChanges& changes, const ChangeListLayout& layout);

// The list, each line begun with indent and ended with LF: every registry
// value whole (its full path, type and data), however many and however
// long, then each file that would change with how many of its bytes do,
// then how many files keep their bytes; what does not fit counted on one
// line; last, where the run stops and why, when it would.
std::string DescribeChanges(const RunChanges& changes, const ChangeListLayout& layout,
                            std::string_view indent, Language language);
