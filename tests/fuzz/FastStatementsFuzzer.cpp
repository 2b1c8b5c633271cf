// Fuzz target: the run loop's fast reading of qpxdiff's statements against
// the general reading. Every input is run twice as a script beside the
// fuzz folder's files, with the fast reading and without it; the two runs
// must end alike: the same reason at the same unit (or both completed),
// the same image bytes, the same files and the same registry writes.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/SourceData.h"
#include "tests/standin/StandIn.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "language/RunHooks.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/MemoryFolder.h"

namespace {

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "fast statements differ from the general reading: %s\n", what);
  std::abort();
}

FuzzFolder& Folder() {
  static FuzzFolder folder;
  return folder;
}

// The run's own image, to compare afterwards; registry values go to the
// stand-in, which records them; a dialog section gets the target file.
class CComparedHooks : public CRunHooks {
 public:
  CSourceData* Image() override { return &image; }
  RegistryAction OnRegistryValue(const RegistryValue&) override { return RegistryAction::kWrite; }
  FileChoice ChooseDialogTarget(const DialogRequest&, std::string& chosen) override {
    chosen = Folder().PathOf(FuzzFolder::kTarget);
    return FileChoice::kChosen;
  }
  void OnSectionStart(std::string_view, const std::string&) override {}
  void OnSectionEnd() override {}

  CSourceData image;
};

struct Outcome {
  bool loaded = false;
  bool completed = false;
  int32_t reason = 0;
  size_t unit = 0;
  std::string image;  // size and bytes
  int32_t modified = 0;
  FolderSnapshot files;
  std::vector<platform::standin::RegistryWrite> registry;
};

bool SameWrites(const std::vector<platform::standin::RegistryWrite>& one,
                const std::vector<platform::standin::RegistryWrite>& other) {
  if (one.size() != other.size()) return false;
  for (size_t at = 0; at < one.size(); ++at) {
    const auto& a = one[at];
    const auto& b = other[at];
    if (a.root != b.root || a.subkey != b.subkey || a.valueName != b.valueName ||
        a.type != b.type || a.data != b.data) {
      return false;
    }
  }
  return true;
}

Outcome RunOnce(const std::string& text, bool fast) {
  FuzzFolder& folder = Folder();
  folder.Restore(text);
  platform::standin::Reset();
  CComparedHooks hooks;
  CScriptFile script(QuopraStatements());
  script.hooks = &hooks;
  script.fastStatements = fast;
  Outcome outcome;
  outcome.loaded = script.Load(folder.PathOf(FuzzFolder::kScript)) != 0;
  if (outcome.loaded) {
    try {
      script.Run();
      outcome.completed = true;
    } catch (const CParseScriptException& failure) {
      outcome.reason = failure.GetReason();
      outcome.unit = failure.GetUnit();
    }
  }
  uint32_t size = hooks.image.GetSize();
  outcome.image = std::to_string(size) + ":";
  if (size > 0) outcome.image.append(reinterpret_cast<char*>(hooks.image.GetPointer(0)), size);
  outcome.modified = hooks.image.IsModified();
  outcome.files = folder.Snapshot();
  outcome.registry = platform::standin::Recorder().registryWrites;
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PreferMemoryFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Outcome fast = RunOnce(text, true);
  const Outcome general = RunOnce(text, false);
  if (fast.loaded != general.loaded) Die("one loaded the script, the other did not");
  if (fast.completed != general.completed) Die("one completed, the other did not");
  if (!fast.completed && (fast.reason != general.reason || fast.unit != general.unit)) {
    Die("a different reason or unit");
  }
  if (fast.image != general.image || fast.modified != general.modified) Die("different images");
  if (fast.files != general.files) Die("different files");
  if (!SameWrites(fast.registry, general.registry)) Die("different registry writes");
  return 0;
}
