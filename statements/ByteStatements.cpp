#include "statements/ByteStatements.h"

#include <string_view>

#include "image/SourceData.h"
#include "language/Statement.h"
#include "text/HexString.h"

namespace {

// One group of two characters (or the last, single one): false for a
// group with exactly one upper-case X; throws for a group that is no byte.
bool ReadGroup(std::string_view group, PatternByte& byte) {
  bool firstX = group[0] == 'X';
  bool secondX = group.size() > 1 && group[1] == 'X';
  if (firstX != secondX) return false;
  byte =
      firstX ? PatternByte{0, false} : PatternByte{HexString::ToValue<unsigned char>(group), true};
  return true;
}

std::string_view GroupAt(std::string_view operand, size_t at) { return operand.substr(at, 2); }

}  // namespace

bool ParseBytePattern(const std::string& operand, BytePattern& pattern) {
  pattern.clear();
  pattern.reserve(operand.size() / 2);
  PatternByte byte;
  for (size_t at = 0; at < operand.size(); at += 2) {
    if (!ReadGroup(GroupAt(operand, at), byte)) return false;
    pattern.push_back(byte);
  }
  return true;
}

HandlerResult HandleSetBytes(CSourceData& image, CStatement& statement) {
  if (statement.operands.size() != 2) return HandlerResult::kFailed;
  const uint32_t address = HexString::ToValue<unsigned int>(statement.operands[0]);
  const std::string& operand = statement.operands[1];
  // Most statements store one byte, as every statement qpxdiff writes
  // does: they need no pattern list.
  if (operand.size() <= 2) {
    PatternByte byte;
    if (!ReadGroup(operand, byte)) return HandlerResult::kFailed;
    return !byte.write || image.SetByte(address, byte.value) ? HandlerResult::kDone
                                                             : HandlerResult::kFailed;
  }
  BytePattern pattern;
  if (!ParseBytePattern(operand, pattern)) return HandlerResult::kFailed;
  for (size_t index = 0; index < pattern.size(); ++index) {
    if (!pattern[index].write) continue;
    uint64_t position = uint64_t{address} + index;
    // A position past FFFFFFFF lies beyond every image.
    if (position > UINT32_MAX) return HandlerResult::kFailed;
    if (!image.SetByte(static_cast<uint32_t>(position), pattern[index].value))
      return HandlerResult::kFailed;
  }
  return HandlerResult::kDone;
}

HandlerResult HandleFillBytes(CSourceData& image, CStatement& statement) {
  if (statement.operands.size() != 3) return HandlerResult::kFailed;
  const uint32_t start =
      static_cast<uint32_t>(HexString::ToValue<unsigned long>(statement.operands[0]));
  uint32_t end = static_cast<uint32_t>(HexString::ToValue<unsigned long>(statement.operands[1]));
  BytePattern pattern;
  if (!ParseBytePattern(statement.operands[2], pattern)) return HandlerResult::kFailed;
  if (start > end || image.NoteStoredRange(start, end)) return HandlerResult::kDone;
  // Positions beyond the image change nothing, so the walk ends with it.
  if (image.GetSize() == 0 || start >= image.GetSize()) return HandlerResult::kDone;
  if (end >= image.GetSize()) end = image.GetSize() - 1;
  const size_t length = pattern.size();
  size_t index = 0;
  for (uint32_t position = start;; ++position) {
    if (pattern[index].write) image.SetByte(position, pattern[index].value);
    if (position == end) break;
    if (++index == length) index = 0;
  }
  return HandlerResult::kDone;
}
