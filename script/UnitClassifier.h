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
  char letter;  // for kValue: '9', 'S', 'B' or 'X'
};

// For a value, operand receives what the unit adds as operand: the unit as
// written, or for a quoted unit in any other position the bytes between
// its quotes.
ClassifiedUnit ClassifyUnit(const std::string& unit, std::string_view previous,
                            std::string& operand);
