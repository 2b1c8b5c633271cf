#include "image/SourceData.h"

#include "image/WholeFileSave.h"
#include "platform/Files.h"

unsigned char* CSourceData::Allocate(uint32_t n) {
  Release();
  block_ = platform::CAutoFreeBlock(n == 0 ? 1 : n);
  if (!block_.IsValid()) return nullptr;
  length_ = n;
  return Data();
}

void CSourceData::Release() {
  block_ = platform::CAutoFreeBlock();
  length_ = 0;
}

bool CSourceData::Load(std::string path) {
  if (path.empty()) return false;
  Release();
  file_.Release();
  platform::CAutoCloseFile file(file_.Open(path));
  if (!file.IsValid()) return false;
  loadedPath_ = path;
  int64_t length = platform::FileLength(file.Get());
  if (length < 0 || length > int64_t{UINT32_MAX}) return false;
  if (Allocate(static_cast<uint32_t>(length)) == nullptr) {
    throw CSourceDataException(CSourceDataException::kAllocationFailed);
  }
  if (!platform::ReadFully(file.Get(), Data(), length_)) return false;
  modified_ = false;
  return true;
}

bool CSourceData::Save(std::string path) {
  if (path.empty() || !block_.IsValid()) return false;
  bool held = path == loadedPath_ && file_.IsHeld();
  bool saved = held ? SaveWholeFile(file_, Data(), length_) : SaveWholeFile(path, Data(), length_);
  if (!saved) return false;
  if (held) file_.Renew();  // the file saved is the one a later save must find
  modified_ = false;
  return true;
}

bool CSourceData::SetByte(uint32_t position, unsigned char value) {
  if (!Holds(position)) return false;
  Data()[position] = value;
  modified_ = true;
  return true;
}

unsigned char CSourceData::GetByte(uint32_t position) const {
  if (!Holds(position)) throw CSourceDataException(CSourceDataException::kOutOfRange);
  return Data()[position];
}

unsigned char* CSourceData::GetPointer(uint32_t position) {
  if (!Holds(position)) throw CSourceDataException(CSourceDataException::kOutOfRange);
  return Data() + position;
}
