// qpxrun from start to end: choose the script, load it, run it, and report
// the outcome in at most one message box.
#pragma once

#include <string>

#include "platform/CommandLine.h"

// The script path from a command-line tail: the whole tail with every
// double quote removed.
std::string ScriptPathFromCommandLine(const std::string& commandTail);

// Runs qpxrun for a command-line tail in CP932; always returns 0.
int RunRunner(const std::string& commandTail);
// The same for the tail as the system gave it. A tail without a CP932
// form is a script path in a folder that has none: the script runs from
// within its folder (EnterFolderOf), where its relative targets are found;
// when its file name has no CP932 form either, the script cannot be read.
int RunRunner(const platform::CommandArgument& commandTail);
