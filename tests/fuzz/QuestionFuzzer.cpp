// Fuzz target: the question before a downloaded script against the run it
// asks about. The input is read as choices from which a script of #path,
// "#path dialog" and #registry sections is made (with statements that fit
// the 16-byte targets and ones that do not, missing files and sections
// left open). The script is run dry, as the question is made, and then for
// real through a recording host that answers each dialog with its own
// file, or cancels.
//
// Checks, for every input:
// - every registry value the run writes is listed, in order, whole (path,
//   type and data), and every file the run changes is listed with at least
//   as many changed bytes, a dialog's among the dialog files;
// - nothing listed is left unwritten unless the run stops first: a run
//   that completes writes every listed value and every listed named file;
// - without dialog sections the dry run stops where the run stops, with
//   the same reason.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "interpreter/DryRun.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "platform/Files.h"
#include "tests/fuzz/MemoryFolder.h"
#include "tests/standin/StandIn.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kNamedFiles = 3;  // t0.bin to t2.bin; t3.bin does not exist
constexpr int kDialogFiles = 4;
const std::string kTargetBytes = "0123456789ABCDEF";

[[noreturn]] void Die(const char* what, const std::string& detail = "") {
  std::fprintf(stderr, "question invariant broken: %s %s\n", what, detail.c_str());
  std::abort();
}

TempFolder& Folder() {
  static TempFolder folder;
  return folder;
}

std::string NamedFile(int index) { return "t" + std::to_string(index) + ".bin"; }
std::string DialogFile(int index) { return "d" + std::to_string(index) + ".bin"; }

// The input, read as choices; past its end every choice is 0.
class CChoices {
 public:
  CChoices(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  unsigned Next(unsigned count) { return at_ < size_ ? data_[at_++] % count : 0; }
  bool Empty() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

// An address mostly inside the targets, sometimes beyond them.
std::string Address(CChoices& in) {
  unsigned choice = in.Next(40);
  return Hex(choice < 36 ? choice : 0xFFFFFFF0u + choice, choice < 36 ? 4 : 8);
}

std::string BitGroup(CChoices& in) {
  std::string group;
  for (int bit = 0; bit < 8; ++bit) group += "01XX"[in.Next(4)];
  return group;
}

std::string ImageStatement(CChoices& in) {
  switch (in.Next(6)) {
    case 0:
      return Address(in) + " = " + Hex(in.Next(256), 2) + " ;";
    case 1:
      return Address(in) + " = " + Hex(in.Next(256), 2) + "XX" + Hex(in.Next(256), 2) + " ;";
    case 2:
      return Address(in) + " to " + Address(in) + " = " + Hex(in.Next(256), 2) + " ;";
    case 3:
      return Address(in) + " =bit " + BitGroup(in) + " ;";
    case 4:
      return Address(in) + " to " + Address(in) + " =bit " + BitGroup(in) + BitGroup(in) + " ;";
    default:
      return in.Next(2) == 0 ? "0000 = 1 ;" : "0000 = 00";  // odd digits; no ";"
  }
}

std::string RegistryStatement(CChoices& in) {
  switch (in.Next(4)) {
    case 0:
      return "dword " + Hex(in.Next(256), 2) + Hex(in.Next(256), 2) + " ;";
    case 1:
      return "dword_dec " + std::to_string(in.Next(1000)) + " ;";
    case 2:
      return "binary " + Hex(in.Next(256), 2) + Hex(in.Next(256), 2) + " ;";
    default:
      return "string \"" + std::string(in.Next(4), "ab\\s"[in.Next(3)]) + "\" ;";
  }
}

struct Script {
  std::string text;
  bool hasDialog = false;
};

Script MakeScript(CChoices& in) {
  Script script;
  while (!in.Empty()) {
    unsigned kind = in.Next(5);
    if (kind == 4) {
      script.text += "#registry \"HKEY_CURRENT_USER\\\\S\\\\v" + std::to_string(in.Next(4)) +
                     "\" " + RegistryStatement(in);
    } else {
      script.hasDialog |= kind == 3;
      script.text += kind == 3 ? "#path dialog \"T|n|D|*.*|\""
                               : "#path \"" + NamedFile(static_cast<int>(in.Next(4))) + "\"";
      for (unsigned count = in.Next(5); count > 0; --count) {
        script.text += "\n  " + ImageStatement(in);
      }
    }
    if (in.Next(16) != 0) script.text += "\n#end";  // now and then left open
    script.text += "\n";
  }
  return script;
}

void LayFiles() {
  for (int at = 0; at < kNamedFiles; ++at) Folder().Write(NamedFile(at), kTargetBytes);
  for (int at = 0; at < kDialogFiles; ++at) Folder().Write(DialogFile(at), kTargetBytes);
}

uint64_t ChangedBytes(const std::string& name) {
  const std::string now = ReadFileBytes(Folder().File(name));
  if (now.size() != kTargetBytes.size()) Die("a target changed its length", name);
  uint64_t changed = 0;
  for (size_t at = 0; at < now.size(); ++at) changed += now[at] != kTargetBytes[at];
  return changed;
}

std::string FullPath(const std::string& name) {
  std::string full;
  if (!platform::GetFullPath(Folder().File(name), full)) Die("no full path", name);
  return full;
}

void CheckValues(const RunChanges& listed, const CRecordingHost& run, bool completed) {
  if (run.values.size() > listed.values.size()) Die("a value written is not listed");
  if (completed && run.values.size() != listed.values.size()) Die("a listed value is not written");
  for (size_t at = 0; at < run.values.size(); ++at) {
    const RecordedValue& shown = listed.values[at];
    const RecordedRegistryValue& written = run.values[at];
    if (shown.path != written.path || shown.type != written.type || shown.data != written.data) {
      Die("a value is listed otherwise than written", written.path);
    }
  }
}

void CheckFiles(const RunChanges& listed, const CRecordingHost& run, bool completed) {
  for (int at = 0; at < kNamedFiles; ++at) {
    const uint64_t changed = ChangedBytes(NamedFile(at));
    const std::string full = FullPath(NamedFile(at));
    std::optional<uint64_t> shown;
    for (const FileChange& file : listed.files) {
      if (file.path == full) shown = file.bytes;
    }
    if (changed != 0 && !shown) Die("a changed file is not listed", full);
    if (shown && *shown < changed) Die("a file is listed with fewer bytes than change", full);
    bool saved = false;
    for (const std::string& path : run.saved) saved |= path == Folder().File(NamedFile(at));
    if (completed && shown && !saved) Die("a listed file is not written", full);
  }
  std::vector<uint64_t> unknown;
  for (const FileChange& file : listed.files) {
    if (file.path.empty()) unknown.push_back(file.bytes);
  }
  size_t next = 0;
  for (int at = 0; at < kDialogFiles; ++at) {
    const uint64_t changed = ChangedBytes(DialogFile(at));
    if (changed == 0) continue;
    while (next < unknown.size() && unknown[next] < changed) ++next;
    if (next == unknown.size()) Die("a dialog's changed file is not listed", DialogFile(at));
    ++next;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PreferMemoryFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CChoices in(data, size);
  const Script script = MakeScript(in);
  platform::standin::Reset();
  LayFiles();
  CScriptFile parsed(QuopraStatements());
  if (!LoadScript(parsed, Folder().Write("s.qpx", script.text))) return 0;

  CRecordingHost world;
  const RunChanges listed = ForeseeRun(parsed, world, true);
  if (!world.saved.empty() || !world.values.empty() || !world.dialogTitles.empty()) {
    Die("the dry run wrote or asked");
  }
  for (int at = 0; at < kNamedFiles; ++at) {
    if (ChangedBytes(NamedFile(at)) != 0) Die("the dry run changed a file");
  }

  CRecordingHost run;
  const unsigned cancelAt = size == 0 ? 0 : data[0] % 8;  // from 4 on, no dialog cancels
  for (int at = 0; at < kDialogFiles; ++at) {
    if (static_cast<unsigned>(at) == cancelAt) {
      run.dialogAnswers.push_back(std::nullopt);
    } else {
      run.dialogAnswers.push_back(Folder().File(DialogFile(at)));
    }
  }
  const std::optional<RunFailure> failure = RunScript(parsed, run);
  CheckValues(listed, run, !failure);
  CheckFiles(listed, run, !failure);
  // A dialog's file of unknown size takes every store, so a section of it
  // left open is taken to hold stores, which a run on a smaller file may
  // not have made.
  const bool openDialogSection =
      script.hasDialog && listed.stop && listed.stop->reason == NoEndDirective;
  if (!failure && listed.stop && !openDialogSection) Die("a run that completes is said to stop");
  if (!script.hasDialog && (failure.has_value() != listed.stop.has_value() ||
                            (failure && failure->reason != listed.stop->reason))) {
    Die("the dry run stops elsewhere than the run");
  }
  return 0;
}
