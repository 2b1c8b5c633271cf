// qpxrun from start to end: choose the script, load it, run it, and report
// the outcome in at most one message box.
#pragma once

#include <string>

// The script path from a command-line tail: the whole tail with every
// double quote removed.
std::string ScriptPathFromCommandLine(const std::string& commandTail);

// Runs qpxrun for a command-line tail; always returns 0.
int RunRunner(const std::string& commandTail);
