// Fuzz target: a whole script, loaded and run the way qpxrun runs it,
// against a folder of small target files, with the platform stand-in
// recording registry writes and answering dialogs.
//
// Checks, for every input:
// - only CParseScriptException, with a reason the run loop raises, leaves
//   Run; every registry key opened is closed again;
// - no target changes its length, the read-only target and the folder stay
//   as they were, and no file appears;
// - the same run on a device that fails after a chosen number of bytes
//   either ends the same way with the same files, or reports the failed
//   save (reason 4); a failed write is never passed over in silence;
// - a run that succeeded, repeated on its own result, succeeds again and
//   changes nothing (every statement sets bits to constants, so a whole
//   script is idempotent).
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

#include "tests/standin/StandIn.h"
#include "interpreter/RunLoop.h"
#include "interpreter/StatementTables.h"
#include "qpxrun/RunnerHost.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/MemoryFolder.h"
#include "tests/support/FileSizeLimit.h"

namespace {

constexpr int32_t kCompleted = -1;  // Run returned normally
constexpr int32_t kNotLoaded = -2;  // Load refused the script

[[noreturn]] void Die(const char* what, const char* detail = "") {
  std::fprintf(stderr, "script run invariant broken: %s %s\n", what, detail);
  std::abort();
}

FuzzFolder& Folder() {
  static FuzzFolder folder;
  return folder;
}

// Dialog answers, rotated by the input so that every answer comes first
// for some inputs: two loadable files, a cancel, a read-only file and a
// file that does not exist.
void QueueDialogAnswers(size_t rotation) {
  FuzzFolder& folder = Folder();
  const std::optional<std::string> answers[] = {
      folder.PathOf(FuzzFolder::kTarget), std::nullopt, folder.PathOf(FuzzFolder::kReadOnly),
      folder.PathOf(FuzzFolder::kMissing), folder.PathOf(FuzzFolder::kShort)};
  constexpr size_t kCount = sizeof answers / sizeof answers[0];
  auto& queue = platform::standin::Recorder().dialogAnswers;
  for (size_t i = 0; i < kCount; ++i) queue.push_back(answers[(i + rotation) % kCount]);
}

int32_t RunScript(size_t rotation, std::optional<rlim_t> deviceLimit) {
  platform::standin::Reset();
  QueueDialogAnswers(rotation);
  CScriptFile script(QuopraStatements());
  int32_t outcome = kCompleted;
  std::optional<FileSizeLimit> device;
  if (deviceLimit) device.emplace(*deviceLimit);
  try {
    if (!script.Load(Folder().PathOf(FuzzFolder::kScript))) {
      outcome = kNotLoaded;
    } else {
      CRunnerHost host;
      RunUnits(script, host);
    }
  } catch (const CParseScriptException& failure) {
    outcome = failure.GetReason();
    if (outcome < TargetOpenFailed || outcome > Cancelled) Die("unexpected reason");
  } catch (const std::exception& other) {
    Die("exception left Run:", other.what());
  } catch (...) {
    Die("unknown exception left Run");
  }
  device.reset();
  if (platform::standin::Recorder().openKeys != 0) Die("a registry key was left open");
  return outcome;
}

void CheckAgainstLaid(const FolderSnapshot& laid, const FolderSnapshot& after) {
  if (after.size() != laid.size()) Die("a file appeared or vanished");
  for (const auto& [name, before] : laid) {
    auto found = after.find(name);
    if (found == after.end()) Die("a file vanished:", name.c_str());
    const PathState& now = found->second;
    if (now.isFolder != before.isFolder || now.mode != before.mode)
      Die("kind changed:", name.c_str());
    if (now.bytes.size() != before.bytes.size()) Die("length changed:", name.c_str());
  }
  if (after.at(FuzzFolder::kReadOnly) != laid.at(FuzzFolder::kReadOnly)) {
    Die("the read-only target changed");
  }
}

// A deterministic device limit from the input: mostly inside the 256-byte
// target, sometimes beyond every file.
std::optional<rlim_t> DeviceLimitFor(const std::string& script) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : script) hash = (hash ^ c) * 16777619u;
  return static_cast<rlim_t>(hash % 300);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PreferMemoryFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  const size_t rotation = size % 5;
  FuzzFolder& folder = Folder();

  folder.Restore(script);
  const FolderSnapshot laid = folder.Laid();
  const int32_t outcome = RunScript(rotation, std::nullopt);
  const FolderSnapshot done = folder.Snapshot();
  CheckAgainstLaid(laid, done);

  folder.Restore(script);
  const int32_t faulted = RunScript(rotation, DeviceLimitFor(script));
  const FolderSnapshot afterFault = folder.Snapshot();
  CheckAgainstLaid(laid, afterFault);
  if (faulted != SaveFailed && (faulted != outcome || afterFault != done)) {
    Die("a failing device changed the result without reporting the failed save");
  }

  if (outcome != kCompleted) return 0;
  // The repeated run starts from the first run's files, with the script
  // as written (a script may patch itself).
  folder.Restore(script);
  for (const auto& [name, entry] : done) {
    if (name != FuzzFolder::kScript && !entry.isFolder) folder.Put(name, entry);
  }
  if (RunScript(rotation, std::nullopt) != kCompleted) Die("a repeated run failed");
  FolderSnapshot repeated = folder.Snapshot();
  repeated[FuzzFolder::kScript] = done.at(FuzzFolder::kScript);
  if (repeated != done) Die("a repeated run changed the result");
  return 0;
}
