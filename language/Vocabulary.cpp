#include "language/Vocabulary.h"

#include <algorithm>

namespace {

template <size_t N>
bool IsWordOf(const std::array<std::string_view, N>& table, std::string_view unit) {
  return std::any_of(table.begin(), table.end(),
                     [unit](std::string_view word) { return IsWord(unit, word); });
}

}  // namespace

std::string_view FindDirective(std::string_view unit) {
  for (std::string_view directive : kDirectiveTable) {
    if (IsWord(unit, directive)) return directive;
  }
  return {};
}

bool IsKeyword(std::string_view unit) { return IsWordOf(kKeywordTable, unit); }

bool IsQuotedUnit(std::string_view unit) {
  return unit.size() >= 2 && unit.front() == '"' && unit.back() == '"';
}

bool Unquote(std::string& text) {
  if (!IsQuotedUnit(text)) return false;
  std::string decoded;
  decoded.reserve(text.size() - 2);
  const size_t end = text.size() - 1;
  for (size_t at = 1; at < end; ++at) {
    char c = text[at];
    if (c != '\\' || at + 1 == end) {
      decoded += c;
      continue;
    }
    char next = text[at + 1];
    if (next == '\\') {
      decoded += '\\';
      ++at;
    } else if (next == 's') {
      decoded += ' ';
      ++at;
    } else if (next == 't') {
      decoded += '\t';
      ++at;
    } else {
      decoded += '\\';  // any other byte after it stays as written
    }
  }
  text.swap(decoded);
  return true;
}
