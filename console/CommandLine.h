// qpx's command line: a command, its operands and its options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/CommandLine.h"

enum class Command { kHelp, kVersion, kRun, kCheck, kDiff, kList };

struct CommandLine {
  Command command = Command::kHelp;
  std::vector<platform::CommandArgument> operands;  // the script, or the two files
  std::optional<platform::CommandArgument> target;  // run, check: --target PATH
  std::optional<platform::CommandArgument> output;  // diff: -o SCRIPT
  bool reverse = false;               // diff: --reverse
  bool raw = false;                   // list: --raw
};

// Reads the arguments after the program name. False, with a one-line
// explanation in error, when they are no valid qpx command line.
bool ParseCommandLine(const std::vector<platform::CommandArgument>& arguments, CommandLine& line,
                      std::string& error);

// One usage line per command.
std::string UsageText();
// The usage lines, what the commands do and the exit statuses.
std::string HelpText();
