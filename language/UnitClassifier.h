// Classifying one statement unit by its bytes and the unit before it.
#pragma once

#include <string>
#include <string_view>

enum class UnitKind {
  kValue,       // adds a class letter to the signature and an operand
  kKeyword,     // adds itself to the signature
  kTerminator,  // ";" ends the statement
  kEnd,         // "#end" ends the section
  kRejected,    // fits no class, or a class that refuses it
};

struct ClassifiedUnit {
  UnitKind kind;
  char letter = 0;           // for kValue: '9', 'S', 'B' or 'X'
  std::string_view operand;  // for kValue: what the unit adds as operand
};

// For a value, the operand is the unit as written, or for a quoted unit in
// any other position the bytes between its quotes (a view into the unit).
ClassifiedUnit ClassifyUnit(std::string_view unit, std::string_view previous);
