// "address = pattern ;" and "first to last = pattern ;": byte patterns with
// XX wildcards stored into the target image.
#pragma once

#include <string>
#include <vector>

#include "language/Statement.h"

class CSourceData;

struct PatternByte {
  unsigned char value;
  bool write;  // false: a wildcard, the byte there is kept
};

using BytePattern = std::vector<PatternByte>;

// Parses a value operand two characters at a time; false for a group with
// exactly one upper-case X. A group that is no byte throws
// HexString::CHexStringException.
bool ParseBytePattern(const std::string& operand, BytePattern& pattern);

HandlerResult HandleSetBytes(CSourceData& image, CStatement& statement);
HandlerResult HandleFillBytes(CSourceData& image, CStatement& statement);
