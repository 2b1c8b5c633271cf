// Loading a script and running it, with every way a run can fail turned
// into a reason: the one road of qpxrun and qpx.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class CParseScript;
class CScriptFile;

// A run that did not complete: its reason and the unit being read.
struct RunFailure {
  int32_t reason;  // a reason, or a code that names none (IsReason)
  size_t unit;     // CParseScriptException::kUnknownUnit when no unit is to blame
};

// Loads the script file; false when it cannot be read, no memory for its
// text included.
bool LoadScript(CScriptFile& script, const std::string& path);

// Runs a loaded script: nothing when it completed, else its failure.
// Anything unforeseen, no memory included, is a failure of no known
// reason; in every case nothing more is saved.
std::optional<RunFailure> RunScript(CParseScript& script);
