// Statements of the form qpxdiff writes, read unit by unit without the
// general classification: an address of 2, 4, 6 or 8 hexadecimal digits,
// "=", one byte of 2 digits, ";". Read after a ";" inside a section, such
// a statement means exactly what the general reading makes of it (the
// units classify as "X", "=", "X", ";": the shape "X=X", one byte stored);
// the run loop hands every other unit to the general reading, which the
// fuzz target fast_statements holds the two to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "language/UnitList.h"
#include "text/ByteClasses.h"

namespace FastStatements {

struct Reading {
  size_t statements;  // statements read whole (4 units each)
  bool stored;        // false: the last one's store failed
};

// The value of a unit of 2 to max hexadecimal digits, an even number;
// false for any other unit.
inline bool ReadHex(std::string_view unit, size_t max, uint32_t& value) {
  if (unit.size() < 2 || unit.size() > max || unit.size() % 2 != 0) return false;
  uint32_t number = 0;
  for (char c : unit) {
    uint8_t digit = HexDigitValue(c);
    if (digit == kNoHexDigit) return false;
    number = number << 4 | digit;
  }
  value = number;
  return true;
}

// One statement from unit on: true, with unit moved to its ";", when the
// units there are such a statement.
inline bool ReadOne(CUnitList::CIterator& unit, uint32_t& address, uint8_t& value) {
  CUnitList::CIterator at = unit;
  uint32_t byte = 0;
  if (!ReadHex(*at, 8, address) || *++at != "=" || !ReadHex(*++at, 2, byte) || *++at != ";") {
    return false;
  }
  value = static_cast<uint8_t>(byte);
  unit = at;
  return true;
}

// Reads statements from unit, the unit right after a ";", as long as they
// have the form, storing each byte with store(address, value) (true when
// stored) and stopping at the first store that fails. When any was read,
// unit is left on the ";" of the last one.
template <typename Store>
Reading Read(CUnitList::CIterator& unit, Store&& store) {
  Reading reading{0, true};
  uint32_t address = 0;
  uint8_t value = 0;
  CUnitList::CIterator at = unit;
  while (ReadOne(at, address, value)) {
    ++reading.statements;
    unit = at;
    if (!store(address, value)) {
      reading.stored = false;
      return reading;
    }
    ++at;
  }
  return reading;
}

}  // namespace FastStatements
