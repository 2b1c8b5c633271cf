#include "web/ScriptSections.h"

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
    for (; unit != end && FindDirective(*unit).empty(); ++unit) {
      if (!section.body.empty()) section.body += ' ';
      section.body += *unit;
    }
    if (unit != end && FindDirective(*unit) == kDirectiveEnd) ++unit;
    sections.push_back(std::move(section));
  }
  return sections;
}
