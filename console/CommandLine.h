// qpx's command line: a command, its operands and its options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/Texts.h"
#include "platform/CommandLine.h"

enum class Command { kHelp, kVersion, kRun, kCheck, kDiff, kList };

struct CommandLine {
  Command command = Command::kHelp;
  std::vector<platform::CommandArgument> operands;  // the script, or the two files
  std::optional<platform::CommandArgument> target;  // run, check: --target PATH
  std::optional<platform::CommandArgument> output;  // diff: -o SCRIPT
  bool reverse = false;                             // diff: --reverse
  bool raw = false;                                 // list: --raw
  bool trust = false;                               // run: --trust
  Language language = Language::kEnglish;           // of every message: --lang, or the user's
};

// Reads the arguments after the program name; messages are in language
// unless --lang (before or after the command) chooses another. False, with
// a one-line explanation in error (in line.language as far as the line was
// read), when they are no valid qpx command line.
bool ParseCommandLine(const std::vector<platform::CommandArgument>& arguments, Language language,
                      CommandLine& line, std::string& error);

// One usage line per command.
std::string UsageText(Language language);
// The usage lines, what the commands and options do and the exit statuses.
std::string HelpText(Language language);
