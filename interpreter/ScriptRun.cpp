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

std::optional<RunFailure> RunScript(CParseScript& script) {
  try {
    script.Run();
  } catch (const CParseScriptException& failure) {
    return RunFailure{failure.GetReason(), failure.GetUnit()};
  } catch (...) {
    return RunFailure{-1, CParseScriptException::kUnknownUnit};
  }
  return std::nullopt;
}
