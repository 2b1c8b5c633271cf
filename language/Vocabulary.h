// The fixed words of the script language.
#pragma once

#include <array>
#include <string>
#include <string_view>

constexpr std::string_view kDirectivePath = "#path";
constexpr std::string_view kDirectiveRegistry = "#registry";
constexpr std::string_view kDirectiveEnd = "#end";

constexpr std::array<std::string_view, 3> kDirectiveTable = {kDirectivePath, kDirectiveRegistry,
                                                             kDirectiveEnd};

constexpr std::string_view kKeywordTo = "to";
constexpr std::string_view kKeywordAssign = "=";
constexpr std::string_view kKeywordBinary = "binary";
constexpr std::string_view kKeywordString = "string";
constexpr std::string_view kKeywordDword = "dword";
constexpr std::string_view kKeywordDecimalDword = "dword_dec";
constexpr std::string_view kKeywordAssignBits = "=bit";
constexpr std::string_view kKeywordDialog = "dialog";

constexpr std::array<std::string_view, 8> kKeywordTable = {
    kKeywordTo,    kKeywordAssign,       kKeywordBinary,     kKeywordString,
    kKeywordDword, kKeywordDecimalDword, kKeywordAssignBits, kKeywordDialog};

constexpr std::string_view kTerminator = ";";

// Byte-wise equality of a unit and a word of the language, without a
// library call: it runs several times for nearly every unit of a script.
constexpr bool IsWord(std::string_view unit, std::string_view word) {
  if (unit.size() != word.size()) return false;
  for (size_t at = 0; at < unit.size(); ++at) {
    if (unit[at] != word[at]) return false;
  }
  return true;
}

// The directive the unit is, or an empty view when it is none.
std::string_view FindDirective(std::string_view unit);
bool IsKeyword(std::string_view unit);

// Decodes a quoted unit in place: drops the enclosing double quotes and
// turns \\ into one backslash, \s into a space and \t into a tab. False,
// with the text unchanged, when it is not a quoted unit.
bool Unquote(std::string& text);

// A unit of at least two bytes that begins and ends with a double quote.
bool IsQuotedUnit(std::string_view unit);
