// The sections of a script as the page lists them before a run: each
// directive with its argument (unquoted) and the units of its body.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "language/UnitList.h"

struct ListedSection {
  std::string directive;  // "#path" or "#registry"
  bool dialog = false;    // "#path dialog": the argument is the dialog's description
  std::string argument;   // unquoted; as written when it is no quoted unit
  std::string body;       // the units up to "#end", one space between, as
                          // many as fit in kShownBodySize, then "..."
};

// The most of a section's body listed: a script from qpxdiff may hold
// millions of statements, which no page could show on one line.
inline constexpr size_t kShownBodySize = 240;

// Every section in script order; free text between sections is skipped.
std::vector<ListedSection> ListSections(const CUnitList& units);
