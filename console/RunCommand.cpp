#include <new>
#include <optional>

#include "console/CheckReport.h"
#include "console/Commands.h"
#include "console/ConsoleHooks.h"
#include "console/ExitStatus.h"
#include "console/Progress.h"
#include "console/ScriptLines.h"
#include "console/TargetPrompt.h"
#include "platform/Console.h"
#include "runner/Outcome.h"
#include "script/ParseScript.h"
#include "script/ParseScriptException.h"

namespace {

constexpr std::string_view kNoRegistry = "no registry on this system";

// A run that did not complete: its reason and the unit being read.
struct RunFailure {
  int32_t reason;
  size_t unit;
};

// --target answers every dialog section; without it a terminal is asked,
// and anything else cancels.
TargetChooser MakeChooser(const std::optional<std::string>& target) {
  if (target) {
    return [path = *target](const DialogRequest&, std::string& chosen) {
      chosen = path;
      return true;
    };
  }
  if (platform::IsTerminal(platform::StdStream::kInput) &&
      platform::IsTerminal(platform::StdStream::kError)) {
    return AskTargetOnTerminal;
  }
  return nullptr;
}

std::optional<RunFailure> Run(CScriptFile& script) {
  try {
    script.Run();
  } catch (const CParseScriptException& failure) {
    return RunFailure{failure.GetReason(), failure.GetUnit()};
  } catch (...) {
    // Anything unforeseen (no memory included) still ends the run with the
    // general failure, as qpxrun reports it; nothing more is saved.
    return RunFailure{-1, CParseScriptException::kUnknownUnit};
  }
  return std::nullopt;
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
    text += "qpx: " + script.scriptPath + ":" + (line > 0 ? std::to_string(line) + ":" : "") +
            " unit " + std::to_string(failure.unit + 1) + ": " + std::string(script.units[failure.unit]) + "\n";
  }
  err.WriteText(text);
}

int LoadFailed(const std::string& path, COutput& err) {
  err.WriteText("qpx: " + path + ": " + std::string(LoadFailedMessage().text) + "\n");
  return kExitLoadFailed;
}

}  // namespace

int RunScriptCommand(const CommandLine& line, COutput& out, COutput& err) {
  const std::string& path = line.operands[0];
  CScriptFile script;
  bool loaded = false;
  try {
    CProgress progress(1, FileSize(path) > kLongWorkBytes);
    progress.Step("loading " + path);
    loaded = script.Load(path) != 0;
  } catch (const std::bad_alloc&) {
    loaded = false;
  }
  if (!loaded) return LoadFailed(path, err);
  RunMode mode = line.command == Command::kCheck ? RunMode::kCheck : RunMode::kRun;
  CConsoleHooks hooks(mode, MakeChooser(line.target), platform::HasRegistry());
  script.hooks = &hooks;
  std::optional<RunFailure> failure = Run(script);
  hooks.CloseOpenSection();
  if (mode == RunMode::kCheck) out.WriteText(BuildCheckReport(hooks.Sections()));
  if (!failure) return kExitSuccess;
  ReportFailure(script, *failure, hooks.RegistryMissing(), err);
  if (hooks.RegistryMissing()) return kExitNoRegistry;
  return ExitStatusOfReason(failure->reason);
}
