// Putting a new file in an old one's place with the system's replace,
// which keeps the old file under a backup name until the new one has
// taken its place (ReplaceFileW). The decisions are portable, so that
// every answer the system can give is tried on every system.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Replacement.h"

namespace platform {

// The calls a replace makes, each a system call on the file, the new
// file beside it and the backup name.
struct ReplaceCalls {
  std::function<uint32_t()> replace;        // the old file to the backup, the new in: 0 or an error
  std::function<bool()> targetExists;       // a file is under the old file's name
  std::function<bool()> moveReplacementIn;  // the new file to the old file's name
  std::function<bool()> restoreBackup;      // the backup back to the old file's name
  std::function<bool()> removeBackup;
};

// Replaces the file. The backup goes only once the new file is in place;
// whenever the new file cannot take its place, the old one goes back.
// committed: the file holds the new content. kNotPossible when the old
// file never left its name (the system refused); kFailed when the new
// file could not take its place and the old one is back, or (with the
// backup kept, the only copy) could not be put back.
ReplaceStep ReplaceKeepingBackup(const ReplaceCalls& calls, bool& committed);

}  // namespace platform
