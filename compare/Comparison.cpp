#include "compare/Comparison.h"

#include <cstring>

namespace {

using Word = uint64_t;
constexpr uint32_t kWordsPerBlock = 4;
constexpr uint32_t kBlockSize = kWordsPerBlock * sizeof(Word);

Word LoadWord(const unsigned char* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Appends the differing bytes of count bytes starting at offset; each
// entry's address is base + its offset.
void CompareTail(const unsigned char* first, const unsigned char* second, uint32_t offset,
                 uint32_t count, uint32_t base, DiffList& differences) {
  for (uint32_t at = offset; at < offset + count; ++at) {
    if (first[at] != second[at]) differences.push_back({base + at, first[at], second[at]});
  }
}

// True when the block of kBlockSize bytes at offset is the same in both.
bool BlockEqual(const unsigned char* first, const unsigned char* second, uint32_t offset) {
  Word delta = 0;
  for (uint32_t word = 0; word < kWordsPerBlock; ++word) {
    uint32_t at = offset + word * static_cast<uint32_t>(sizeof(Word));
    delta |= LoadWord(first + at) ^ LoadWord(second + at);
  }
  return delta == 0;
}

}  // namespace

void CompareBytes(const unsigned char* first, const unsigned char* second, uint32_t size,
                  DiffList& differences, uint32_t base) {
  uint32_t blocksEnd = size - size % kBlockSize;
  for (uint32_t offset = 0; offset < blocksEnd; offset += kBlockSize) {
    if (BlockEqual(first, second, offset)) continue;
    for (uint32_t at = offset; at < offset + kBlockSize; at += sizeof(Word)) {
      if (LoadWord(first + at) != LoadWord(second + at)) {
        CompareTail(first, second, at, sizeof(Word), base, differences);
      }
    }
  }
  CompareTail(first, second, blocksEnd, size - blocksEnd, base, differences);
}

void CComparison::ClearDifferences() {
  DiffList().swap(differences_);  // gives back the memory of a long list
}
