#include <new>
#include <optional>

#include "console/CheckReport.h"
#include "console/Commands.h"
#include "console/ConsoleHooks.h"
#include "console/ExitStatus.h"
#include "console/Progress.h"
#include "console/ScriptLines.h"
#include "console/ShownText.h"
#include "console/TargetPrompt.h"
#include "interpreter/Outcome.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/Process.h"
#include "text/PathSplitter.h"

namespace {

constexpr std::string_view kNoRegistry = "no registry on this system";

// --target answers every dialog section; without it a terminal is asked,
// and anything else cancels.
TargetChooser MakeChooser(const std::optional<platform::CommandArgument>& target, COutput& err) {
  if (target) {
    return [target = *target, &err](const DialogRequest&, std::string& chosen) {
      if (!target.hasCp932Form) {
        err.WriteText("qpx: --target " + target.text + NoCp932FormNote(target) + "\n");
        return FileChoice::kRefused;
      }
      chosen = target.text;
      return FileChoice::kChosen;
    };
  }
  if (platform::IsTerminal(platform::StdStream::kInput) &&
      platform::IsTerminal(platform::StdStream::kError)) {
    return AskTargetOnTerminal;
  }
  return nullptr;
}

// "qpx: message", then where the run stopped: the script's line and the
// unit being read.
void ReportFailure(const CScriptFile& script, const RunFailure& failure, bool registryMissing,
                   COutput& err) {
  std::string text = "qpx: ";
  text += registryMissing ? kNoRegistry : ReasonMessage(failure.reason).text;
  text += "\n";
  if (failure.unit < script.units.size()) {
    size_t line = LineOfUnit(ReadScriptText(script.scriptPath), failure.unit);
    text += "qpx: " + ShownText(script.scriptPath) + ":" +
            (line > 0 ? std::to_string(line) + ":" : "") + " unit " +
            std::to_string(failure.unit + 1) + ": " + ShownText(script.units[failure.unit]) + "\n";
  }
  err.WriteText(text);
}

int LoadFailed(const platform::CommandArgument& path, COutput& err) {
  err.WriteText("qpx: " + path.text + ": " + std::string(LoadFailedMessage().text) +
                NoCp932FormNote(path) + "\n");
  return kExitLoadFailed;
}

bool IsRelative(const std::string& path) {
  return SplitPath(path).drive.empty() && path[0] != '/' && path[0] != '\\';
}

// The script's path in CP932. A script whose path has no CP932 form runs
// from within its folder, as qpxrun runs it; a relative --target, which
// names a file from the current folder, is then made absolute first.
bool ScriptPathOf(const CommandLine& line, std::string& path,
                  std::optional<platform::CommandArgument>& target) {
  const platform::CommandArgument& script = line.operands[0];
  target = line.target;
  path = script.text;
  if (script.hasCp932Form) return true;
  if (target && target->hasCp932Form && !target->text.empty() && IsRelative(target->text)) {
    char folder[4096] = {};
    if (platform::GetCurrentDirectoryA(sizeof folder, folder) != 0) {
      target->text = std::string(folder) + "/" + target->text;
    } else {
      target->hasCp932Form = false;  // the current folder has none
    }
  }
  return platform::EnterFolderOf(script, path);
}

}  // namespace

int RunScriptCommand(const CommandLine& line, COutput& out, COutput& err) {
  std::string path;
  std::optional<platform::CommandArgument> target;
  if (!ScriptPathOf(line, path, target)) return LoadFailed(line.operands[0], err);
  CScriptFile script(QuopraStatements());
  bool loaded = false;
  {
    CProgress progress(1, FileSize(path) > kLongWorkBytes);
    progress.Step("loading " + ShownText(path));
    loaded = LoadScript(script, path);
  }
  if (!loaded) return LoadFailed(line.operands[0], err);
  RunMode mode = line.command == Command::kCheck ? RunMode::kCheck : RunMode::kRun;
  CConsoleHooks hooks(mode, MakeChooser(target, err), platform::HasRegistry());
  script.hooks = &hooks;
  std::optional<RunFailure> failure = RunScript(script);
  hooks.CloseOpenSection();
  if (mode == RunMode::kCheck) out.WriteText(BuildCheckReport(hooks.Sections()));
  if (!failure) return kExitSuccess;
  ReportFailure(script, *failure, hooks.RegistryMissing(), err);
  if (hooks.RegistryMissing()) return kExitNoRegistry;
  return ExitStatusOfReason(failure->reason);
}
