// The command line as the programs see it: each argument in CP932, and
// what to do with a path that has no CP932 form.
#pragma once

#include <string>
#include <vector>

namespace platform {

// One argument of the command line, or one line typed at the terminal.
struct CommandArgument {
  // The argument in CP932. Where it has no CP932 form, each character that
  // has none is a "?" here, which serves for messages only.
  std::string text;
  bool hasCp932Form = true;
  // The argument as the system gave it (its bytes on Linux, its UTF-16 as
  // UTF-8 on Windows), for EnterFolderOf; never shown or compared.
  std::string system;
};

// The argument whose system form (its bytes on Linux, its UTF-16 as UTF-8
// on Windows) is given.
CommandArgument ArgumentOf(std::string system);

// The arguments after the program name: on Windows from the wide command
// line, on Linux converted from the locale's encoding. On Linux it also
// takes the locale from the environment, whose encoding names files from
// then on.
std::vector<CommandArgument> GetCommandArguments(int argc, char** argv);

// Windows only (qpxdiff's files): the argument as a full path in CP932,
// as the Open dialog gives one (GetFullPathNameW), or the empty text,
// which names no file, where it has no CP932 form.
std::string FullPathOf(const CommandArgument& path);

// For a path that has no CP932 form: makes the path's folder the current
// folder and gives the file name alone in CP932, so that the file, and
// files named relative to its folder, are found from there. On Windows
// the double quotes of the path are dropped first (no name holds one).
// False, with the current folder unchanged, when the file name has no
// CP932 form either or the folder cannot be entered.
bool EnterFolderOf(const CommandArgument& path, std::string& fileName);

}  // namespace platform
