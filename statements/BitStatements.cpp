#include "statements/BitStatements.h"

#include <vector>

#include "image/SourceData.h"
#include "language/Statement.h"
#include "text/HexString.h"

namespace {

constexpr size_t kGroupSize = 8;

std::vector<std::string> SplitBitGroups(const std::string& pattern) {
  std::vector<std::string> groups;
  groups.reserve(pattern.size() / kGroupSize + 1);
  for (size_t at = 0; at < pattern.size(); at += kGroupSize) {
    groups.push_back(pattern.substr(at, kGroupSize));
  }
  return groups;
}

// Reads, changes and writes back the byte at position; false when the
// position is outside the image or the group is refused.
bool ApplyAt(CSourceData& image, uint32_t position, const std::string& group) {
  unsigned char byte = image.GetByte(position);
  if (!ApplyBitGroup(byte, group)) return false;
  image.SetByte(position, byte);
  return true;
}

}  // namespace

bool ApplyBitGroup(unsigned char& byte, const std::string& group) {
  if (group.size() != kGroupSize || !IsBitPattern(group)) return false;
  unsigned char value = byte;
  for (int bit = 0; bit < 8; ++bit) {
    char c = group[7 - bit];
    unsigned char mask = static_cast<unsigned char>(1u << bit);
    if (c == '1') {
      value = static_cast<unsigned char>(value | mask);
    } else if (c != 'X') {
      value = static_cast<unsigned char>(value & ~mask);
    }
  }
  byte = value;
  return true;
}

HandlerResult HandleSetBits(CSourceData& image, CStatement& statement) {
  if (statement.operands.size() != 2) return HandlerResult::kFailed;
  const uint32_t address = HexString::ToValue<unsigned int>(statement.operands[0]);
  const std::vector<std::string> groups = SplitBitGroups(statement.operands[1]);
  try {
    for (size_t k = 0; k < groups.size(); ++k) {
      uint64_t position = uint64_t{address} + k;
      if (position > UINT32_MAX) return HandlerResult::kFailed;  // beyond every image
      if (!ApplyAt(image, static_cast<uint32_t>(position), groups[k]))
        return HandlerResult::kFailed;
    }
  } catch (const CSourceDataException&) {
    return HandlerResult::kFailed;
  }
  return HandlerResult::kDone;
}

HandlerResult HandleFillBits(CSourceData& image, CStatement& statement) {
  if (statement.operands.size() != 3) return HandlerResult::kFailed;
  const uint32_t start =
      static_cast<uint32_t>(HexString::ToValue<unsigned long>(statement.operands[0]));
  const uint32_t end =
      static_cast<uint32_t>(HexString::ToValue<unsigned long>(statement.operands[1]));
  const std::vector<std::string> groups = SplitBitGroups(statement.operands[2]);
  if (groups.empty()) return HandlerResult::kFailed;
  if (start <= end && image.NoteStoredRange(start, end)) {
    // Bytes not known: only a group that is none fails, as it would.
    unsigned char unknown = 0;
    for (size_t k = 0; k < groups.size() && k <= uint64_t{end} - start; ++k) {
      if (!ApplyBitGroup(unknown, groups[k])) return HandlerResult::kFailed;
    }
    return HandlerResult::kDone;
  }
  try {
    // Every byte from start to end takes group (p - start) mod n; the
    // first position outside the image fails the statement.
    size_t k = 0;
    for (uint64_t position = start; position <= end; ++position) {
      if (!ApplyAt(image, static_cast<uint32_t>(position), groups[k]))
        return HandlerResult::kFailed;
      if (++k == groups.size()) k = 0;
    }
  } catch (const CSourceDataException&) {
    return HandlerResult::kFailed;
  }
  return HandlerResult::kDone;
}
