// A run that writes nothing: targets load as in a run, stores go to the
// image only, registry values are noted instead of written, and what each
// section would do is recorded. qpx check reports it; qpxrun shows it
// before it runs a script that came from the internet.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image/SourceData.h"
#include "language/RunHost.h"

class CParseScript;

// What a section would do to its target's bytes.
struct StoreCounts {
  uint64_t changed = 0;  // bytes that would get a new value
  uint64_t already = 0;  // bytes stored to that already hold their new value
};

// A registry value as a statement would write it.
struct RecordedValue {
  std::string path;
  uint32_t type;
  std::string data;
};

struct SectionReport {
  std::string directive;  // "#path" or "#registry"
  // The target file, or the registry value path; empty for a file that a
  // dialog is yet to choose.
  std::string target;
  StoreCounts counts;  // #path: what the section's stores would do
  std::vector<RecordedValue> values;
  bool ended = false;  // its "#end" was reached
};

// A registry value as "REG_DWORD 100 (0x00000064)", "REG_SZ "text"" or
// "REG_BINARY 0A 0B 0C", control characters shown as \xNN.
std::string DescribeValue(const RecordedValue& value);

// A file a run would change.
struct FileChange {
  std::string path;    // empty for the file of a dialog not chosen yet
  uint64_t bytes = 0;  // bytes that would change; for a file not chosen yet,
                       // the bytes stored to, the most that can change
};

// The image of a dry run.
class CDryRunImage : public CSourceData {
 public:
  // Loads the target (as an earlier section of the run saved it, if one
  // did) and forgets the stores of the previous section. The empty path
  // stands for a file a dialog is yet to choose: an image of unknown bytes
  // and unknown size, which takes every store and gives unknown bytes, so
  // that the run goes on past its section.
  bool Load(std::string path) override;
  // Writes nothing to the file; keeps the bytes for a later section that
  // loads the same path, as the file would hold them after a run.
  bool Save(std::string path) override;
  bool SetByte(uint32_t position, unsigned char value) override;
  unsigned char GetByte(uint32_t position) const override;
  bool NoteStoredRange(uint32_t first, uint32_t last) override;

  // Compares every byte stored to since the last Load with the byte the
  // file holds there.
  StoreCounts CountStores();
  // The files the saves so far change, in the order they were first
  // loaded, and how many other files were loaded. A byte counts that any
  // save changes, also where a later one puts the old byte back: a run
  // that stops in between leaves it changed.
  std::vector<FileChange> ChangedFiles(size_t& unchanged) const;

 private:
  // One file of the run: a target path, or one dialog's file.
  struct FileRecord {
    std::string path;           // empty: not chosen yet
    std::vector<bool> differs;  // by position: a save gave it another byte than the file's
    uint64_t changed = 0;       // the positions that differ
    std::map<uint32_t, uint32_t> stored;  // not chosen yet: first and last of each range
    bool saved = false;
  };

  void NoteSavedChanges(FileRecord& file);

  bool unknown_ = false;                                       // a file not chosen yet
  std::vector<bool> touched_;                                  // by position
  std::vector<std::pair<uint32_t, unsigned char>> originals_;  // first stores
  std::map<std::string, std::string> saved_;                   // by path
  std::vector<FileRecord> files_;                              // in the order first loaded
  std::map<std::string, size_t> fileIndex_;                    // of a target path
  size_t current_ = 0;                                         // the one loaded
};

// Whether the file of a "#path dialog" section is asked for.
enum class DialogFiles {
  kAsked,    // the world's host chooses it, as in a run
  kUnknown,  // it is taken as a file not chosen yet, and the run goes on
};

// The host of a dry run: the world's host loads the targets (into the dry
// run's image) and is asked for what a run would ask it; nothing is saved
// and no registry value written, each section's doings are recorded.
class CDryRunHost : public CRunHost {
 public:
  // Without a registry, a registry statement fails as it would in a run.
  CDryRunHost(CRunHost& world, CDryRunImage& image, DialogFiles dialogFiles, bool hasRegistry);

  CSourceData& Image() override { return image_; }
  bool LoadTarget(CSourceData& image, const std::string& path) override {
    return world_.LoadTarget(image, path);
  }
  bool SaveTarget(CSourceData& image, const std::string& path) override { return image.Save(path); }
  bool WriteRegistryValue(const RegistryValue& value) override;
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  bool Confirm(const std::string& question) override { return world_.Confirm(question); }
  // The caller of a dry run tells of its failure, if at all.
  void ReportFailure(const RunFailure&) override {}
  void OnSectionStart(std::string_view directive, const std::string& target) override;
  void OnSectionEnd() override;
  void OnUnitsEnd(const UnitsEnd& end) override { end_ = end; }

  // Completes the report of a section that the run left open.
  void CloseOpenSection();
  const std::vector<SectionReport>& Sections() const { return sections_; }
  // True when a registry statement failed because there is no registry.
  bool RegistryMissing() const { return registryMissing_; }
  // Where the units ran out; nothing when the run stopped before.
  const std::optional<UnitsEnd>& End() const { return end_; }
  // Every registry value written so far, in order; none without a registry.
  std::vector<RecordedValue> WrittenValues() const;

 private:
  CRunHost& world_;
  CDryRunImage& image_;
  DialogFiles dialogFiles_;
  bool hasRegistry_;
  bool registryMissing_ = false;
  bool sectionOpen_ = false;
  std::vector<SectionReport> sections_;
  std::optional<UnitsEnd> end_;
};

// What running a script would change, as its dry run found it.
struct RunChanges {
  std::vector<RecordedValue> values;  // every value written, in order
  std::vector<FileChange> files;      // every file changed, by its full path
  size_t unchangedFiles = 0;          // files loaded that keep their bytes
  std::optional<RunFailure> stop;     // the failure the run stops at; all
                                      // the rest comes before it
  bool registryMissing = false;       // it stops at a value for want of a registry
};

// Runs the script dry, with the world's host to load targets and every
// dialog's file not chosen yet, to its end or to the failure a run would
// stop at. Without a registry, a registry statement fails as in a run.
RunChanges ForeseeRun(CParseScript& script, CRunHost& world, bool hasRegistry);
