#include "web/ScriptSections.h"

#include <cstring>
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

// The first directive at or after unit. A directive is a unit that
// begins with '#', so the text is searched for those alone: the body of
// a script of millions of statements is not walked unit by unit.
CUnitList::CIterator NextDirective(const CUnitList::CIterator& unit,
                                   const CUnitList::CIterator& end) {
  const char* text = unit.Here();
  const char* textEnd = unit.TextEnd();
  for (const char* at = text; at < textEnd; ++at) {
    at = static_cast<const char*>(std::memchr(at, '#', static_cast<size_t>(textEnd - at)));
    if (at == nullptr) break;
    if (at != text && !IsSeparator(at[-1])) continue;
    CUnitList::CIterator candidate(at, textEnd);
    if (!FindDirective(*candidate).empty()) return candidate;
  }
  return end;
}

// Reads the units of the section's body up to its end into section, as
// many as fit in kShownBodySize, "..." for the rest.
void ReadBody(CUnitList::CIterator& unit, const CUnitList::CIterator& end,
              ListedSection& section) {
  for (; unit != end && FindDirective(*unit).empty(); ++unit) {
    std::string_view text = *unit;
    size_t added = text.size() + (section.body.empty() ? 0 : 1);
    if (section.body.size() + added > kShownBodySize) {
      section.body += section.body.empty() ? "..." : " ...";
      unit = NextDirective(unit, end);
      return;
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
