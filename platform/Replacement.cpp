// The all-or-nothing save, one sequence on every system: look at the
// file, make the new file beside it, (the caller writes it,) give it what
// the system keeps of the old one, flush and close it, make sure the file
// is still the one loaded, and put it in the file's place. Each system's
// steps are in Replacement_posix.cpp and Replacement_win.cpp.
#include "platform/Replacement.h"

#include "platform/Files.h"
#include "platform/ReplacementNames.h"

namespace platform {

namespace {

ReplaceStep FailureOf(int result) {
  if (result == 0) return ReplaceStep::kDone;
  return LastFailureWasNoRoom() ? ReplaceStep::kNotPossible : ReplaceStep::kFailed;
}

}  // namespace

int CReplacementFile::Descriptor() const { return fd_; }

ReplaceStep CReplacementFile::Create(const CHeldFile& file, uint64_t size) {
  if (!file.IsUnchanged()) return ReplaceStep::kFailed;
  held_ = &file;
  if (!Locate(file)) return ReplaceStep::kFailed;
  return CreateBeside(size);
}

ReplaceStep CReplacementFile::Create(const std::string& path, uint64_t size) {
  if (!Locate(path)) return ReplaceStep::kFailed;
  return CreateBeside(size);
}

ReplaceStep CReplacementFile::CreateBeside(uint64_t size) {
  ReplaceStep examined = Examine();
  if (examined != ReplaceStep::kDone) return examined;
  RemoveLeftovers();
  if (!HasRoomFor(size)) return ReplaceStep::kNotPossible;
  for (int attempt = 0; attempt < kReplacementAttempts; ++attempt) {
    switch (CreateNewFile(attempt)) {
      case NewFile::kMade:
        return ReplaceStep::kDone;
      case NewFile::kNameTaken:
        continue;
      case NewFile::kFolderRefused:
        return ReplaceStep::kNotPossible;
      case NewFile::kFailed:
        return ReplaceStep::kFailed;
    }
  }
  return ReplaceStep::kFailed;  // every name taken
}

ReplaceStep CReplacementFile::Commit() {
  if (!GiveKept()) return ReplaceStep::kFailed;
  ReplaceStep flushed = FailureOf(Flush(fd_));
  int fd = fd_;
  fd_ = -1;
  ReplaceStep closed = FailureOf(Close(fd));
  if (flushed != ReplaceStep::kDone) return flushed;
  if (closed != ReplaceStep::kDone) return closed;
  // The last look before the file changes: nothing is put over a file
  // another program changed, replaced or removed since it was loaded.
  if (held_ != nullptr && !held_->IsUnchanged()) return ReplaceStep::kFailed;
  return PutInPlace();
}

}  // namespace platform
