#include "web/ScriptSections.h"

#include <string_view>

#include "language/Vocabulary.h"

namespace {

// Reads the argument of the section just opened into section.
void ReadArgument(CUnitList::CIterator& unit, const CUnitList::CIterator& end,
                  ListedSection& section) {
  if (unit != end && section.directive == kDirectivePath && IsWord(*unit, kKeywordDialog)) {
    section.dialog = true;
    ++unit;
  }
  if (unit == end || !FindDirective(*unit).empty()) return;
  section.argument = std::string(*unit);
  Unquote(section.argument);
  ++unit;
}

// Reads the units of the section's body up to its end into section, as
// many as fit in kShownBodySize, "..." for the rest.
void ReadBody(CUnitList::CIterator& unit, const CUnitList::CIterator& end,
              ListedSection& section) {
  bool cut = false;
  for (; unit != end && FindDirective(*unit).empty(); ++unit) {
    if (cut) continue;
    std::string_view text = *unit;
    size_t added = text.size() + (section.body.empty() ? 0 : 1);
    if (section.body.size() + added > kShownBodySize) {
      section.body += section.body.empty() ? "..." : " ...";
      cut = true;
      continue;
    }
    if (!section.body.empty()) section.body += ' ';
    section.body += text;
  }
}

}  // namespace

std::vector<ListedSection> ListSections(const CUnitList& units) {
  std::vector<ListedSection> sections;
  const CUnitList::CIterator end = units.end();
  CUnitList::CIterator unit = units.begin();
  while (unit != end) {
    std::string_view directive = FindDirective(*unit);
    ++unit;
    if (directive != kDirectivePath && directive != kDirectiveRegistry) continue;
    ListedSection section;
    section.directive = directive;
    ReadArgument(unit, end, section);
    ReadBody(unit, end, section);
    if (unit != end && FindDirective(*unit) == kDirectiveEnd) ++unit;
    sections.push_back(std::move(section));
  }
  return sections;
}
