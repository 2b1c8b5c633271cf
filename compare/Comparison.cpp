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

size_t CountDifferences(const unsigned char* first, const unsigned char* second, uint32_t size) {
  uint32_t blocksEnd = size - size % kBlockSize;
  size_t count = 0;
  for (uint32_t offset = 0; offset < blocksEnd; offset += kBlockSize) {
    if (BlockEqual(first, second, offset)) continue;
    for (uint32_t at = offset; at < offset + kBlockSize; ++at) count += first[at] != second[at];
  }
  for (uint32_t at = blocksEnd; at < size; ++at) count += first[at] != second[at];
  return count;
}

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

bool CComparison::Load(CSourceData& image, std::string& path, const std::string& newPath) {
  path = newPath;
  ClearDifferences();
  try {
    return image.Load(newPath);
  } catch (const CSourceDataException&) {
    return false;  // no memory for the file's bytes: it cannot be read whole
  }
}

bool CComparison::LoadFirst(const std::string& path) { return Load(firstImage_, firstPath_, path); }

bool CComparison::LoadSecond(const std::string& path) {
  return Load(secondImage_, secondPath_, path);
}

void CComparison::ClearDifferences() {
  DiffList().swap(differences_);  // gives back the memory of a long list
  differencesFound_ = 0;
}

bool CComparison::Compare() {
  ClearDifferences();
  uint32_t size = firstImage_.GetSize();
  if (size != secondImage_.GetSize()) return false;
  if (size > 0) {
    const unsigned char* first = firstImage_.GetPointer(0);
    const unsigned char* second = secondImage_.GetPointer(0);
    // One pass to count spares the list its reallocations, whose copies
    // cost more than the pass on long lists.
    differences_.reserve(CountDifferences(first, second, size));
    CompareBytes(first, second, size, differences_);
  }
  differencesFound_ = differences_.empty() ? 0 : 1;
  return true;
}
