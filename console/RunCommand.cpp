#include <new>
#include <optional>

#include "console/CheckReport.h"
#include "console/Commands.h"
#include "console/ConsoleHost.h"
#include "console/ExitStatus.h"
#include "console/Messages.h"
#include "console/OriginPrompt.h"
#include "console/Progress.h"
#include "console/TargetPrompt.h"
#include "interpreter/DryRun.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/OriginMark.h"
#include "platform/Process.h"
#include "text/PathSplitter.h"
#include "text/ShownText.h"

namespace {

// --target answers every dialog section; without it a terminal is asked,
// and anything else cancels.
TargetChooser MakeChooser(const std::optional<platform::CommandArgument>& target, Language language,
                          COutput& err) {
  if (target) {
    return [target = *target, language, &err](const DialogRequest&, std::string& chosen) {
      if (target.text.empty()) return FileChoice::kRefused;  // names no file
      if (!target.hasCp932Form) {
        err.WriteText("qpx: --target " + ShownText(target.text) +
                      NoCp932FormNote(target, language) + "\n");
        return FileChoice::kRefused;
      }
      chosen = target.text;
      return FileChoice::kChosen;
    };
  }
  if (platform::IsTerminal(platform::StdStream::kInput) &&
      platform::IsTerminal(platform::StdStream::kError)) {
    return [language](const DialogRequest& request, std::string& chosen) {
      return AskTargetOnTerminal(request, language, chosen);
    };
  }
  return nullptr;
}

int LoadFailed(const platform::CommandArgument& path, Language language, COutput& err) {
  err.WriteText("qpx: " + ShownText(path.text) + ": " +
                std::string(MessageText(Message::kLoadFailed, language)) +
                NoCp932FormNote(path, language) + "\n");
  return kExitLoadFailed;
}

// The lines of the script where its units ran out, for check's report.
ScriptEndLines EndLinesOf(const std::optional<UnitsEnd>& end, bool noSection) {
  if (!end) return {};
  return {true, noSection ? end->lastLine : 0, end->openDirectiveLine, end->pendingStatementLine};
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
    char folder[platform::kFolderBufferSize] = {};
    if (platform::GetCurrentFolder(sizeof folder, folder) != 0) {
      target->text = std::string(folder) + "/" + target->text;
    } else {
      target->hasCp932Form = false;  // the current folder has none
    }
  }
  return platform::EnterFolderOf(script, path);
}

// check: the run dry, then its report, the script's mark first.
int CheckScript(CScriptFile& script, const CommandLine& line, CConsoleHost& host,
                const std::optional<platform::OriginMark>& mark, COutput& out) {
  CDryRunImage image;
  CDryRunHost dryRun(host, image, DialogFiles::kAsked, platform::kHasRegistry);
  std::optional<RunFailure> failure = RunScript(script, dryRun);
  dryRun.CloseOpenSection();
  if (mark) out.WriteText(MarkLine(*mark, line.language) + "\n");
  out.WriteText(BuildCheckReport(dryRun.Sections(),
                                 EndLinesOf(dryRun.End(), dryRun.Sections().empty()),
                                 line.language));
  // run refuses a script from a restricted site before anything else.
  if (mark && mark->zone == platform::Zone::kRestricted) return kExitNotTrusted;
  if (!failure) return kExitSuccess;
  host.ReportFailure(*failure, dryRun.RegistryMissing());
  return dryRun.RegistryMissing() ? kExitNoRegistry : ExitStatusOfReason(failure->reason);
}

int RunForReal(CScriptFile& script, CConsoleHost& host) {
  std::optional<RunFailure> failure = RunScript(script, host);
  if (!failure) return kExitSuccess;
  return host.RegistryMissing() ? kExitNoRegistry : ExitStatusOfReason(failure->reason);
}

// check -: the script from standard input, up to its first zero byte as
// a file's; its relative targets are found from the current folder, as
// those of a script there. It has no origin mark.
int CheckPipedScript(const CommandLine& line, COutput& out, COutput& err) {
  std::string text;
  if (!platform::ReadStdAll(text)) return LoadFailed(line.operands[0], line.language, err);
  CScriptFile script(QuopraStatements());
  bool loaded = false;
  try {
    loaded = script.Load(line.operands[0].text, text);
  } catch (const std::bad_alloc&) {
    loaded = false;  // no memory for the script's units
  }
  if (!loaded) return LoadFailed(line.operands[0], line.language, err);
  CConsoleHost host(script, MakeChooser(line.target, line.language, err), line.language, err);
  return CheckScript(script, line, host, std::nullopt, out);
}

}  // namespace

int RunScriptCommand(const CommandLine& line, COutput& out, COutput& err) {
  if (line.command == Command::kCheck && line.operands[0].text == "-") {
    return CheckPipedScript(line, out, err);
  }
  std::string path;
  std::optional<platform::CommandArgument> target;
  if (!ScriptPathOf(line, path, target)) return LoadFailed(line.operands[0], line.language, err);
  CScriptFile script(QuopraStatements());
  bool loaded = false;
  {
    CProgress progress(FileSize(path) > kLongWorkBytes);
    progress.Step(Fill(MessageText(ConsoleMessage::kLoading, line.language), {ShownText(path)}));
    loaded = LoadScript(script, path);
  }
  if (!loaded) return LoadFailed(line.operands[0], line.language, err);
  std::optional<platform::OriginMark> mark;
  if (platform::OriginMark read{}; platform::ReadOriginMark(path, read)) mark = read;
  CConsoleHost host(script, MakeChooser(target, line.language, err), line.language, err);
  if (line.command == Command::kCheck) return CheckScript(script, line, host, mark, out);
  if (mark && !MayRunMarkedScript(script, line, *mark, host, err)) return kExitNotTrusted;
  return RunForReal(script, host);
}
