#include "platform/ReplaceKeepingBackup.h"

namespace platform {

ReplaceStep ReplaceKeepingBackup(const ReplaceCalls& calls, bool& committed) {
  committed = false;
  if (calls.replace() == 0) {
    committed = true;
    calls.removeBackup();
    return ReplaceStep::kDone;
  }
  // Refused before the old file moved: nothing changed but perhaps a
  // copy under the backup name.
  if (calls.targetExists()) {
    calls.removeBackup();
    return ReplaceStep::kNotPossible;
  }
  // The old file is under the backup name only: the new one takes its
  // place, or the old one goes back.
  if (calls.moveReplacementIn()) {
    committed = true;
    calls.removeBackup();
    return ReplaceStep::kDone;
  }
  calls.restoreBackup();
  return ReplaceStep::kFailed;
}

}  // namespace platform
