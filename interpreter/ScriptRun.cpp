#include "interpreter/RunLoop.h"
#include "interpreter/ScriptRun.h"

#include "language/ParseScript.h"
#include "language/ParseScriptException.h"

bool LoadScript(CScriptFile& script, const std::string& path) {
  try {
    return script.Load(path);
  } catch (...) {
    return false;  // no memory for the script's text
  }
}

namespace {

std::optional<RunFailure> Run(CParseScript& script, CRunHost& host) {
  try {
    RunUnits(script, host);
  } catch (const CParseScriptException& failure) {
    return RunFailure{failure.GetReason(), failure.GetUnit(), failure.GetLine()};
  } catch (...) {
    return RunFailure{OtherFailure, CParseScriptException::kUnknownUnit};
  }
  return std::nullopt;
}

}  // namespace

std::optional<RunFailure> RunScript(CParseScript& script, CRunHost& host) {
  std::optional<RunFailure> failure = Run(script, host);
  if (failure) host.ReportFailure(*failure);
  return failure;
}
