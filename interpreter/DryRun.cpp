#include "interpreter/DryRun.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "language/Vocabulary.h"
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
    return true;
  }
  // The file must still load as it would in a run; then the bytes an
  // earlier section saved replace what the file holds.
  if (!CSourceData::Load(path)) return false;
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
  if (unknown_) return true;
  if (path.empty()) return false;
  const uint32_t size = GetSize();
  saved_[path] =
      size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(GetPointer(0)), size);
  SetModified(false);
  return true;
}

bool CDryRunImage::SetByte(uint32_t position, unsigned char value) {
  if (unknown_) {
    SetModified(true);
    return true;
  }
  if (position < GetSize()) {
    if (touched_.empty()) touched_.resize(GetSize());
    if (!touched_[position]) {
      touched_[position] = true;
      originals_.emplace_back(position, GetByte(position));
    }
  }
  return CSourceData::SetByte(position, value);
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
