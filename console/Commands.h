// qpx's commands, each returning its exit status.
#pragma once

#include <string>
#include <vector>

#include "console/CommandLine.h"
#include "console/Output.h"

// run and check: the script of the command line, with writing or without.
int RunScriptCommand(const CommandLine& line, COutput& out, COutput& err);
// diff: the script that turns one file into the other.
int DiffCommand(const CommandLine& line, COutput& out, COutput& err);
// list: the listing of the differing bytes.
int ListCommand(const CommandLine& line, COutput& out, COutput& err);

// The whole program: the arguments after the program name, and the status.
int RunQpx(const std::vector<std::string>& arguments);
