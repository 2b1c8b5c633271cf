// Statements of the form qpxdiff writes, read straight from the text: an
// address of 2, 4, 6 or 8 hexadecimal digits, "=", one byte of 2 digits,
// ";", each a unit of its own, the units apart as the unit reader sets
// them. Read after a ";" inside a section, such a statement means exactly
// what the general reading makes of it (the units classify as "X", "=",
// "X", ";": the shape "X=X", one byte stored); the run loop hands every
// other text to the general reading, which the fuzz target
// fast_statements holds the two to.
#pragma once

#include <cstddef>
#include <cstdint>

#include "language/UnitList.h"
#include "text/ByteClasses.h"

namespace FastStatements {

struct Reading {
  const char* last;   // the ";" of the last statement read
  size_t line;        // its line
  size_t statements;  // statements read whole (4 units each)
  bool stored;        // false: the last one's store failed
};

// One statement from at, a unit's start, on line: its ";", with line made
// the ";"'s, or nullptr when the text there is no such statement.
inline const char* ReadOne(const char* at, const char* end, size_t& line, uint32_t& address,
                           uint8_t& value) {
  size_t lines = line;
  const char* start = at;
  uint32_t number = 0;
  while (at < end && at - start <= 8 && HexDigitValue(*at) != kNoHexDigit) {
    number = number << 4 | HexDigitValue(*at);
    ++at;
  }
  size_t digits = static_cast<size_t>(at - start);
  if (digits < 2 || digits > 8 || digits % 2 != 0 || at == end || !IsSeparator(*at)) {
    return nullptr;
  }
  at = CUnitList::SkipSeparators(at, end, lines);
  if (end - at < 2 || at[0] != '=' || !IsSeparator(at[1])) return nullptr;
  at = CUnitList::SkipSeparators(at + 1, end, lines);
  if (end - at < 3 || !IsSeparator(at[2])) return nullptr;
  uint8_t high = HexDigitValue(at[0]);
  uint8_t low = HexDigitValue(at[1]);
  if (high == kNoHexDigit || low == kNoHexDigit) return nullptr;
  at = CUnitList::SkipSeparators(at + 2, end, lines);
  if (at == end || at[0] != ';' || (end - at > 1 && !IsSeparator(at[1]))) return nullptr;
  address = number;
  value = static_cast<uint8_t>(high << 4 | low);
  line = lines;
  return at;
}

// Reads statements from text, a unit's start on line right after a ";",
// as long as they have the form, storing each byte with store(address,
// value) (true when stored) and stopping at the first store that fails.
template <typename Store>
Reading Read(const char* text, const char* end, size_t line, Store&& store) {
  Reading reading{nullptr, line, 0, true};
  const char* at = text;
  uint32_t address = 0;
  uint8_t value = 0;
  while (const char* terminator = ReadOne(at, end, line, address, value)) {
    ++reading.statements;
    reading.last = terminator;
    reading.line = line;
    if (!store(address, value)) {
      reading.stored = false;
      return reading;
    }
    at = CUnitList::SkipSeparators(terminator + 1, end, line);
  }
  return reading;
}

}  // namespace FastStatements
