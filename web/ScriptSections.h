// The sections of a script as the page lists them before a run: each
// directive with its argument (unquoted) and the units of its body.
#pragma once

#include <string>
#include <vector>

#include "language/UnitList.h"

struct ListedSection {
  std::string directive;  // "#path" or "#registry"
  bool dialog = false;    // "#path dialog": the argument is the dialog's description
  std::string argument;   // unquoted; as written when it is no quoted unit
  std::string body;       // the units up to "#end", one space between
};

// Every section in script order; free text between sections is skipped.
std::vector<ListedSection> ListSections(const CUnitList& units);
