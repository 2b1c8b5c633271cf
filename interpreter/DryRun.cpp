#include "interpreter/DryRun.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "interpreter/ScriptRun.h"
#include "language/ParseScript.h"
#include "language/Vocabulary.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "text/EvenHex.h"
#include "text/LittleEndian.h"
#include "text/ShownText.h"

namespace {

// A statement's value: four bytes.
std::string DescribeDword(const std::string& data) {
  std::array<unsigned char, 4> bytes{};
  for (size_t at = 0; at < bytes.size() && at < data.size(); ++at) {
    bytes[at] = static_cast<unsigned char>(data[at]);
  }
  uint32_t value = FromLittleEndian(bytes);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
  return "REG_DWORD " + std::to_string(value) + " (" + hex + ")";
}

std::string DescribeBinary(const std::string& data) {
  std::string text = "REG_BINARY";
  for (char byte : data) {
    char digits[2];
    EvenHex::WriteByte(static_cast<unsigned char>(byte), digits);
    text += ' ';
    text.append(digits, 2);
  }
  return text;
}

}  // namespace

std::string DescribeValue(const RecordedValue& value) {
  if (value.type == platform::kRegDword) return DescribeDword(value.data);
  if (value.type == platform::kRegBinary) return DescribeBinary(value.data);
  // A string: its data ends with its terminating NUL.
  return "REG_SZ \"" + ShownText(value.data.substr(0, value.data.find('\0'))) + "\"";
}

bool CDryRunImage::Load(std::string path) {
  std::vector<bool>().swap(touched_);
  originals_.clear();
  unknown_ = path.empty();
  if (unknown_) {
    Release();
    files_.push_back({});
    current_ = files_.size() - 1;
    return true;
  }
  // The file must still load as it would in a run; then the bytes an
  // earlier section saved replace what the file holds.
  if (!CSourceData::Load(path)) return false;
  auto [known, first] = fileIndex_.try_emplace(path, files_.size());
  if (first) files_.push_back({path, {}, 0, {}, false});
  current_ = known->second;
  auto saved = saved_.find(path);
  if (saved == saved_.end()) return true;
  const std::string& bytes = saved->second;
  if (Allocate(static_cast<uint32_t>(bytes.size())) == nullptr) {
    throw CSourceDataException(CSourceDataException::kAllocationFailed);
  }
  if (!bytes.empty()) std::memcpy(GetPointer(0), bytes.data(), bytes.size());
  SetModified(false);
  return true;
}

bool CDryRunImage::Save(std::string path) {
  if (unknown_) {
    files_[current_].saved = true;
    return true;
  }
  if (path.empty()) return false;
  const uint32_t size = GetSize();
  saved_[path] =
      size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(GetPointer(0)), size);
  NoteSavedChanges(files_[current_]);
  SetModified(false);
  return true;
}

bool CDryRunImage::SetByte(uint32_t position, unsigned char value) {
  if (unknown_) return NoteStoredRange(position, position);
  if (position < GetSize()) {
    if (touched_.empty()) touched_.resize(GetSize());
    if (!touched_[position]) {
      touched_[position] = true;
      originals_.emplace_back(position, GetByte(position));
    }
  }
  return CSourceData::SetByte(position, value);
}

unsigned char CDryRunImage::GetByte(uint32_t position) const {
  // A byte of a file not chosen yet is not known: any byte stands for it.
  return unknown_ ? 0 : CSourceData::GetByte(position);
}

bool CDryRunImage::NoteStoredRange(uint32_t first, uint32_t last) {
  if (!unknown_) return false;
  std::map<uint32_t, uint32_t>& stored = files_[current_].stored;
  // Joins the ranges that overlap or touch [first, last] into one.
  auto next = stored.upper_bound(first);
  if (next != stored.begin() && uint64_t{std::prev(next)->second} + 1 >= first) {
    --next;
    first = next->first;
  }
  while (next != stored.end() && uint64_t{last} + 1 >= next->first) {
    last = std::max(last, next->second);
    next = stored.erase(next);
  }
  stored[first] = last;
  SetModified(true);
  return true;
}

// A byte that no save has changed yet holds the file's own byte when the
// section loads it: where the section's save changes it, it differs.
void CDryRunImage::NoteSavedChanges(FileRecord& file) {
  file.saved = true;
  if (file.differs.empty()) file.differs.resize(GetSize());
  for (const auto& [position, loaded] : originals_) {
    if (file.differs[position] || GetByte(position) == loaded) continue;
    file.differs[position] = true;
    ++file.changed;
  }
}

StoreCounts CDryRunImage::CountStores() {
  StoreCounts counts;
  for (const auto& [position, original] : originals_) {
    if (GetByte(position) == original) {
      ++counts.already;
    } else {
      ++counts.changed;
    }
  }
  return counts;
}

namespace {

uint64_t StoredBytes(const std::map<uint32_t, uint32_t>& stored) {
  uint64_t bytes = 0;
  for (const auto& [first, last] : stored) bytes += uint64_t{last} - first + 1;
  return bytes;
}

}  // namespace

std::vector<FileChange> CDryRunImage::ChangedFiles(size_t& unchanged) const {
  std::vector<FileChange> changes;
  for (const FileRecord& file : files_) {
    if (!file.saved) continue;
    uint64_t bytes = file.path.empty() ? StoredBytes(file.stored) : file.changed;
    if (bytes != 0) changes.push_back({file.path, bytes});
  }
  unchanged = files_.size() - changes.size();
  return changes;
}

CDryRunHost::CDryRunHost(CRunHost& world, CDryRunImage& image, DialogFiles dialogFiles,
                         bool hasRegistry)
    : world_(world), image_(image), dialogFiles_(dialogFiles), hasRegistry_(hasRegistry) {}

bool CDryRunHost::WriteRegistryValue(const RegistryValue& value) {
  if (sectionOpen_) {
    sections_.back().values.push_back(
        {value.path, value.type,
         std::string(reinterpret_cast<const char*>(value.data), value.size)});
  }
  if (!hasRegistry_) {
    registryMissing_ = true;
    return false;
  }
  return true;
}

FileChoice CDryRunHost::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  if (dialogFiles_ == DialogFiles::kAsked) return world_.ChooseDialogTarget(request, chosen);
  chosen.clear();  // a file not chosen yet
  return FileChoice::kChosen;
}

void CDryRunHost::OnSectionStart(std::string_view directive, const std::string& target) {
  CloseOpenSection();
  sections_.push_back({std::string(directive), target, {}, {}, false});
  sectionOpen_ = true;
}

void CDryRunHost::OnSectionEnd() {
  if (!sectionOpen_) return;  // a stray "#end" opened no section
  CloseOpenSection();
  sections_.back().ended = true;
}

void CDryRunHost::CloseOpenSection() {
  if (!sectionOpen_) return;
  sectionOpen_ = false;
  if (sections_.back().directive == kDirectivePath) {
    sections_.back().counts = image_.CountStores();
  }
}

std::vector<RecordedValue> CDryRunHost::WrittenValues() const {
  std::vector<RecordedValue> values;
  if (!hasRegistry_) return values;
  for (const SectionReport& section : sections_) {
    values.insert(values.end(), section.values.begin(), section.values.end());
  }
  return values;
}

RunChanges ForeseeRun(CParseScript& script, CRunHost& world, bool hasRegistry) {
  CDryRunImage image;
  CDryRunHost dryRun(world, image, DialogFiles::kUnknown, hasRegistry);
  RunChanges changes;
  changes.stop = RunScript(script, dryRun);
  dryRun.CloseOpenSection();
  changes.values = dryRun.WrittenValues();
  changes.registryMissing = dryRun.RegistryMissing();
  changes.files = image.ChangedFiles(changes.unchangedFiles);
  for (FileChange& file : changes.files) {
    std::string full;
    if (!file.path.empty() && platform::GetFullPath(file.path, full)) file.path = full;
  }
  return changes;
}
