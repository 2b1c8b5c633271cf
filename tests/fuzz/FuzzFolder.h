// The folder a fuzzed script runs in: a fixed set of small target files
// (an ordinary one, a short one, an empty one, a read-only one, a folder
// and a name that does not exist) beside the script, put back as laid
// before every run, and snapshots of it to compare runs by.
#pragma once

#include <map>
#include <string>

#include "tests/support/TestFiles.h"

// Each entry of the folder, by name, as a run left it.
using FolderSnapshot = std::map<std::string, PathState>;

class FuzzFolder {
 public:
  // The names a script can reach, relative to the folder.
  static constexpr const char* kScript = "script.qpx";
  static constexpr const char* kTarget = "target.bin";
  static constexpr const char* kShort = "short.bin";
  static constexpr const char* kEmpty = "empty.bin";
  static constexpr const char* kReadOnly = "readonly.bin";
  static constexpr const char* kFolder = "folder";
  static constexpr const char* kMissing = "missing.bin";

  FuzzFolder();
  // The folder as laid, with an empty script.
  const FolderSnapshot& Laid() const { return laid_; }
  // Puts back every target that differs from the laid state (a run is
  // checked never to add or remove an entry) and writes the script.
  void Restore(const std::string& script);
  FolderSnapshot Snapshot() const;
  std::string PathOf(const char* name) const { return folder_.File(name); }
  // Writes one file with the bytes and permission bits of entry.
  void Put(const std::string& name, const PathState& entry) const;

 private:
  TempFolder folder_;
  FolderSnapshot laid_;
};
