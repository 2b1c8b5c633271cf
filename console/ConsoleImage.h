// The target images of qpx's runs: the real one, which shows progress for
// a large target, and the one of a check, which writes nothing and notes
// which bytes the section stores to.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "image/SourceData.h"

class CConsoleImage : public CSourceData {
 public:
  bool Load(std::string path) override;
  bool Save(std::string path) override;
};

// What a section would do to its target's bytes.
struct StoreCounts {
  uint64_t changed = 0;  // bytes that would get a new value
  uint64_t already = 0;  // bytes stored to that already hold their new value
};

class CDryRunImage : public CConsoleImage {
 public:
  // Loads the target (as an earlier section of the check saved it, if
  // one did) and forgets the stores of the previous section.
  bool Load(std::string path) override;
  // Writes nothing to the file; keeps the bytes for a later section that
  // loads the same path, as the file would hold them after a run.
  bool Save(std::string path) override;
  bool SetByte(uint32_t position, unsigned char value) override;

  // Compares every byte stored to since the last Load with the byte the
  // file holds there.
  StoreCounts CountStores();

 private:
  std::vector<bool> touched_;                                  // by position
  std::vector<std::pair<uint32_t, unsigned char>> originals_;  // first stores
  std::map<std::string, std::string> saved_;                   // by path
};
