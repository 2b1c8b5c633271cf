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
int RunQpx(const std::vector<platform::CommandArgument>& arguments);

// What a message adds after a name that has no CP932 form: such a name can
// name no file, as scripts, listings and messages are CP932 throughout.
std::string NoCp932FormNote(const platform::CommandArgument& name, Language language);
