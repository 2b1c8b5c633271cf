// Hexadecimal operand text: conversion to numbers and the unit predicates
// with which the run loop classifies operands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace HexString {

// Thrown for a text that yields no number of the requested width.
class CHexStringException {};

// Reads a text the way formatted hexadecimal extraction does: leading
// white space is skipped, an optional 0x or 0X prefix is taken as a base
// prefix, and digits are read up to the first other byte, which is left
// unread. False when no digit was read or the value exceeds maxValue.
bool TryParse(std::string_view text, uint32_t maxValue, uint32_t& value);

// ToValue<unsigned char> converts one byte (at most FF). The 32-bit forms
// (unsigned int, unsigned long) behave identically on every platform and
// accept values up to FFFFFFFF. Every form throws CHexStringException for
// a text that yields no number in its range.
template <typename T>
T ToValue(std::string_view text);

extern template unsigned char ToValue<unsigned char>(std::string_view);
extern template unsigned int ToValue<unsigned int>(std::string_view);
extern template unsigned long ToValue<unsigned long>(std::string_view);

// True when every byte is a hexadecimal digit (either case); the empty
// text qualifies.
bool IsHexString(std::string_view text);

}  // namespace HexString

// Every byte is a hexadecimal digit or X, in either case.
bool IsHexPattern(std::string_view unit);
// A whole number of 8-byte groups of 0, 1 and upper-case X.
bool IsBitPattern(std::string_view unit);
// Every byte is a decimal digit.
bool IsDecimalString(std::string_view unit);
