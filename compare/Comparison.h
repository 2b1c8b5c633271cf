// The comparison of two files of equal size, and the state it leaves: the
// two paths, their images, the difference list and the differences-found
// flag, which the listing, the script writer and the menu read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/SourceData.h"
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

// The number of offsets below size at which the two byte arrays differ.
size_t CountDifferences(const unsigned char* first, const unsigned char* second, uint32_t size);

enum class CompareOutcome {
  kCompared,          // the list holds the differences (perhaps none)
  kFirstLoadFailed,   // the first file could not be read whole
  kSecondLoadFailed,  // the second file could not be read whole
  kSizesDiffer,       // the files have different lengths
};

// The state of the difference-script maker between two comparisons.
// Every step that does not end in a completed comparison leaves the list
// empty and the flag 0, so the paths and the list never disagree.
class CComparison {
 public:
  // Takes the path and loads the first (or second) image from it; false,
  // with the list emptied, when the file cannot be read whole (a file too
  // large to hold in memory included).
  bool LoadFirst(const std::string& path);
  bool LoadSecond(const std::string& path);
  // Forgets the last comparison's differences.
  void ClearDifferences();
  // The whole Open command without its dialogs, for callers that already
  // have the two paths: reads both files a piece at a time, holding no
  // image (the images stay empty), with the outcome and the list a load of
  // both and Compare would give. Throws std::bad_alloc, with the list
  // emptied, when the differences do not fit into memory.
  CompareOutcome CompareFiles(const std::string& firstPath, const std::string& secondPath);
  // Compares the two loaded images: false, with the list emptied, when
  // their sizes differ. Throws std::bad_alloc, with the list emptied, when
  // the differences do not fit into memory.
  bool Compare();

  const std::string& FirstPath() const { return firstPath_; }
  const std::string& SecondPath() const { return secondPath_; }
  const DiffList& Differences() const { return differences_; }
  // 1 when the last completed comparison found a difference, else 0.
  int DifferencesFound() const { return differencesFound_; }

 private:
  bool Load(CSourceData& image, std::string& path, const std::string& newPath);

  std::string firstPath_;
  std::string secondPath_;
  CSourceData firstImage_;
  CSourceData secondImage_;
  DiffList differences_;
  int differencesFound_ = 0;
};
