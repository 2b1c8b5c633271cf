// qpx's command line: a command, its operands and its options.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class Command { kHelp, kVersion, kRun, kCheck, kDiff, kList };

struct CommandLine {
  Command command = Command::kHelp;
  std::vector<std::string> operands;  // the script, or the two files
  std::optional<std::string> target;  // run, check: --target PATH
  std::optional<std::string> output;  // diff: -o SCRIPT
  bool reverse = false;               // diff: --reverse
  bool raw = false;                   // list: --raw
};

// Reads the arguments after the program name. False, with a one-line
// explanation in error, when they are no valid qpx command line.
bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine& line,
                      std::string& error);

// One usage line per command.
std::string UsageText();
// The usage lines, what the commands do and the exit statuses.
std::string HelpText();
