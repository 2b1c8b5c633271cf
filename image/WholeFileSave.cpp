#include "image/WholeFileSave.h"

#include "platform/Files.h"

namespace {

using platform::ReplaceStep;

// A write that found the device full leaves the save in place to try.
ReplaceStep WriteFailure() {
  return platform::LastFailureWasNoRoom() ? ReplaceStep::kNotPossible : ReplaceStep::kFailed;
}

// Writes the image into a new file beside the file (made by create) and
// puts it in the file's place.
template <typename Target>
ReplaceStep SaveByReplacing(const Target& target, const unsigned char* data, uint32_t size) {
  platform::CReplacementFile replacement;
  ReplaceStep created = replacement.Create(target, size);
  if (created != ReplaceStep::kDone) return created;
  if (!platform::WriteFully(replacement.Descriptor(), data, size)) return WriteFailure();
  return replacement.Commit();
}

bool SaveInPlace(platform::CAutoCloseFile file, const unsigned char* data, uint32_t size) {
  return file.IsValid() && platform::WriteFully(file.Get(), data, size) &&
         platform::ChangeSize(file.Get(), size) && platform::Flush(file.Get()) == 0 && file.Reset();
}

// The save by replacing, and in place where that is not possible.
template <typename Target, typename OpenInPlace>
bool Save(const Target& target, const unsigned char* data, uint32_t size, OpenInPlace openInPlace) {
  {
    platform::CAutoCloseFile check(openInPlace());
    if (!check.IsValid()) return false;
  }
  switch (SaveByReplacing(target, data, size)) {
    case ReplaceStep::kDone:
      return true;
    case ReplaceStep::kFailed:
      return false;
    case ReplaceStep::kNotPossible:
      break;
  }
  return SaveInPlace(platform::CAutoCloseFile(openInPlace()), data, size);
}

}  // namespace

bool SaveWholeFile(const platform::CHeldFile& file, const unsigned char* data, uint32_t size) {
  if (!file.IsUnchanged()) return false;
  return Save(file, data, size, [&file] { return file.OpenForWriting(); });
}

bool SaveWholeFile(const std::string& path, const unsigned char* data, uint32_t size) {
  return Save(path, data, size, [&path] {
    return platform::Open(
        path, platform::kOpenReadWrite | platform::kOpenCreate | platform::kOpenFileOnly);
  });
}
