#include "image/SourceData.h"

#include "image/WholeFileSave.h"
#include "platform/Files.h"
#include "platform/Memory.h"

namespace {

// An empty image still holds a block, so that a loaded empty file differs
// from no file at all.
size_t BlockSize(uint32_t length) { return length == 0 ? 1 : length; }

}  // namespace

unsigned char* CSourceData::Allocate(uint32_t n) {
  if (data_ != nullptr) Release();
  // Large images come straight from the system, where filling them is
  // cheapest; a file of hundreds of megabytes loads several times faster.
  data_ = static_cast<unsigned char*>(platform::VirtualAlloc(BlockSize(n)));
  if (data_ == nullptr) return nullptr;
  length_ = n;
  return data_;
}

void CSourceData::Release() {
  platform::VirtualFree(data_, BlockSize(length_));
  data_ = nullptr;
  length_ = 0;
}

CSourceData::~CSourceData() { Release(); }

int CSourceData::Load(std::string path) {
  if (path.empty()) return 0;
  if (data_ != nullptr) Release();
  platform::AutoCloseFile file(platform::Open(path, platform::kOpenReadWrite));
  if (!file.IsValid()) return 0;
  int64_t length = platform::FileLength(file.Get());
  if (length < 0 || length > int64_t{UINT32_MAX}) return 0;
  if (Allocate(static_cast<uint32_t>(length)) == nullptr) {
    throw CSourceDataException(CSourceDataException::kAllocationFailed);
  }
  if (!platform::ReadFully(file.Get(), data_, length_)) return 0;
  modified_ = 0;
  return 1;
}

int CSourceData::Save(std::string path) {
  if (path.empty() || data_ == nullptr) return 0;
  if (!SaveWholeFile(path, data_, length_)) return 0;
  modified_ = 0;
  return 1;
}

bool CSourceData::Holds(uint32_t position, uint32_t count) const {
  return data_ != nullptr && uint64_t{position} + count <= length_;
}

int CSourceData::SetByte(uint32_t position, unsigned char value) {
  if (!Holds(position, 1)) return 0;
  data_[position] = value;
  modified_ = 1;
  return 1;
}

unsigned char CSourceData::GetByte(uint32_t position) {
  if (!Holds(position, 1)) throw CSourceDataException(CSourceDataException::kOutOfRange);
  return data_[position];
}

unsigned char* CSourceData::GetPointer(uint32_t position) {
  if (!Holds(position, 1)) throw CSourceDataException(CSourceDataException::kOutOfRange);
  return data_ + position;
}
