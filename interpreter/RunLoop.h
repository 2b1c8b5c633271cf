// The run loop: one pass over a script's units.
#pragma once

class CParseScript;
class CRunHost;

// Runs the units once from first to last, asking host for everything
// outside the interpreter; throws CParseScriptException with the reason
// of the first failure.
void RunUnits(CParseScript& script, CRunHost& host);
