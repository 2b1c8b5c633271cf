#include "console/ConsoleImage.h"

#include "console/Progress.h"

int CConsoleImage::Load(std::string path) {
  CProgress progress(1, FileSize(path) > kLongWorkBytes);
  progress.Step("loading " + path);
  return CSourceData::Load(path);
}

int CConsoleImage::Save(std::string path) {
  CProgress progress(1, GetSize() > kLongWorkBytes);
  progress.Step("saving " + path);
  return CSourceData::Save(path);
}

int CDryRunImage::Load(std::string path) {
  std::vector<bool>().swap(touched_);
  originals_.clear();
  return CConsoleImage::Load(std::move(path));
}

int CDryRunImage::Save(std::string path) {
  if (path.empty()) return 0;
  SetModified(0);
  return 1;
}

int CDryRunImage::SetByte(uint32_t position, unsigned char value) {
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
