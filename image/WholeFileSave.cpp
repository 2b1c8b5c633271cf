#include "image/WholeFileSave.h"

#include "platform/Files.h"

namespace {

using platform::ReplaceStep;

// A write that found the device full leaves the save in place to try.
ReplaceStep WriteFailure() {
  return platform::LastFailureWasNoRoom() ? ReplaceStep::kNotPossible : ReplaceStep::kFailed;
}

ReplaceStep SaveByReplacing(const std::string& path, const unsigned char* data, uint32_t size) {
  platform::CReplacementFile replacement;
  ReplaceStep created = replacement.Create(path, size);
  if (created != ReplaceStep::kDone) return created;
  if (!platform::WriteFully(replacement.Descriptor(), data, size)) return WriteFailure();
  return replacement.Commit();
}

bool SaveInPlace(const std::string& path, const unsigned char* data, uint32_t size) {
  platform::CAutoCloseFile file(
      platform::Open(path, platform::kOpenReadWrite | platform::kOpenCreate));
  return file.IsValid() && platform::WriteFully(file.Get(), data, size) &&
         platform::ChangeSize(file.Get(), size) && platform::Flush(file.Get()) == 0 && file.Reset();
}

}  // namespace

bool SaveWholeFile(const std::string& path, const unsigned char* data, uint32_t size) {
  {
    platform::CAutoCloseFile check(
        platform::Open(path, platform::kOpenReadWrite | platform::kOpenCreate));
    if (!check.IsValid()) return false;
  }
  switch (SaveByReplacing(path, data, size)) {
    case ReplaceStep::kDone:
      return true;
    case ReplaceStep::kFailed:
      return false;
    case ReplaceStep::kNotPossible:
      break;
  }
  return SaveInPlace(path, data, size);
}
