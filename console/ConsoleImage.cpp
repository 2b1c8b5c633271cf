#include "console/ConsoleImage.h"

#include <cstring>

#include "console/Progress.h"
#include "console/ShownText.h"

bool CConsoleImage::Load(std::string path) {
  CProgress progress(1, FileSize(path) > kLongWorkBytes);
  progress.Step("loading " + ShownText(path));
  return CSourceData::Load(path);
}

bool CConsoleImage::Save(std::string path) {
  CProgress progress(1, GetSize() > kLongWorkBytes);
  progress.Step("saving " + ShownText(path));
  return CSourceData::Save(path);
}

bool CDryRunImage::Load(std::string path) {
  std::vector<bool>().swap(touched_);
  originals_.clear();
  // The file must still load as it would in a run; then the bytes an
  // earlier section saved replace what the file holds.
  if (!CConsoleImage::Load(path)) return false;
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
  if (path.empty()) return false;
  const uint32_t size = GetSize();
  saved_[path] =
      size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(GetPointer(0)), size);
  SetModified(false);
  return true;
}

bool CDryRunImage::SetByte(uint32_t position, unsigned char value) {
  if (position < GetSize()) {
    if (touched_.empty()) touched_.resize(GetSize());
    if (!touched_[position]) {
      touched_[position] = true;
      originals_.emplace_back(position, GetByte(position));
    }
  }
  return CConsoleImage::SetByte(position, value);
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
