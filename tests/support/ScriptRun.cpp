#include "tests/support/ScriptRun.h"

#include "tests/standin/StandIn.h"
#include "interpreter/RunLoop.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "qpxrun/RunnerHost.h"

void StandInTest::SetUp() { platform::standin::Reset(); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::optional<int> RunScriptText(const TempFolder& folder, const std::string& text,
                                 const std::string& name) {
  CRunnerHost host;
  return RunScriptText(folder, text, host, name);
}

std::optional<int> RunScriptText(const TempFolder& folder, const std::string& text, CRunHost& host,
                                 const std::string& name) {
  CScriptFile script(QuopraStatements());
  if (script.Load(folder.Write(name, text)) == 0) {
    ADD_FAILURE() << "the script did not load: " << text;
    return std::nullopt;
  }
  try {
    RunUnits(script, host);
  } catch (const CParseScriptException& failure) {
    return failure.GetReason();
  }
  return std::nullopt;
}
