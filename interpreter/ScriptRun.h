// Loading a script and running it, with every way a run can fail turned
// into a reason: the one road of qpxrun and qpx.
#pragma once

#include <optional>
#include <string>

#include "language/RunHost.h"

class CParseScript;
class CScriptFile;

// Loads the script file; false when it cannot be read, no memory for its
// text included.
bool LoadScript(CScriptFile& script, const std::string& path);

// Runs a loaded script with the host: nothing when it completed, else its
// failure, which the host has reported. Anything unforeseen, no memory
// included, is a failure of no known reason; in every case nothing more is
// saved.
std::optional<RunFailure> RunScript(CParseScript& script, CRunHost& host);
