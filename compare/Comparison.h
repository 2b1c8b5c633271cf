// The comparison of two files of equal size, and the state it leaves: the
// two paths and the difference list, which the listing, the script writer
// and the menu read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Memory.h"

// One differing byte: the offset, the byte of the first file and the byte
// of the second file there.
struct DiffEntry {
  uint32_t address;
  unsigned char first;
  unsigned char second;

  friend bool operator==(const DiffEntry&, const DiffEntry&) = default;
};

// Millions of entries for files that differ throughout: the list takes its
// memory straight from the system.
using DiffList = std::vector<DiffEntry, platform::LargeBlockAllocator<DiffEntry>>;

// Appends an entry for every offset below size at which the two byte
// arrays differ, in ascending order, its address base + the offset. Equal
// stretches are skipped a block at a time.
void CompareBytes(const unsigned char* first, const unsigned char* second, uint32_t size,
                  DiffList& differences, uint32_t base = 0);

enum class CompareOutcome {
  kCompared,          // the list holds the differences (perhaps none)
  kFirstLoadFailed,   // the first file could not be read whole
  kSecondLoadFailed,  // the second file could not be read whole
  kSizesDiffer,       // the files have different lengths
};

// The state of the difference-script maker between two comparisons.
// Every step that does not end in a completed comparison leaves the list
// empty, so the paths and the list never disagree.
class CComparison {
 public:
  // Takes the path as the first file; false when it does not open as
  // CompareFiles reads it. Forgets the last comparison's differences.
  bool TakeFirst(const std::string& path);
  // Forgets the last comparison's differences.
  void ClearDifferences();
  // Reads both files a piece at a time, holding neither whole, and lists
  // their differences. Throws std::bad_alloc, with the list emptied, when
  // the differences do not fit into memory.
  CompareOutcome CompareFiles(const std::string& firstPath, const std::string& secondPath);

  const std::string& FirstPath() const { return firstPath_; }
  const std::string& SecondPath() const { return secondPath_; }
  const DiffList& Differences() const { return differences_; }
  // True when the last completed comparison found a difference.
  bool FoundDifferences() const { return !differences_.empty(); }

 private:
  std::string firstPath_;
  std::string secondPath_;
  DiffList differences_;
};
