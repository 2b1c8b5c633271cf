// The script that turns one compared file into the other: a #path line
// naming the source file, one "address = value ;" statement per
// difference, and #end.
#pragma once

#include <string>

#include "compare/Comparison.h"
#include "text/TextBuilder.h"

enum class Direction {
  kForward,  // changes the first file into the second
  kReverse,  // changes the second file into the first
};

// The file the script changes: the first path forward, the second reverse.
const std::string& ScriptSourcePath(const std::string& firstPath, const std::string& secondPath,
                                    Direction direction);

// True when a script can name the file: its path holds no double quote
// and no control byte (below 0x20), which a name can have on Linux.
bool ScriptCanName(const std::string& path);

// Writes every byte 0x5C as two backslashes and every space as "\s",
// byte by byte (a 0x5C trail byte of a double-byte character too);
// everything else is copied.
std::string EscapePath(const std::string& path);

// The script's text, CR LF after every line, handed to the sink in pieces
// of about 1 MiB; false when the sink stopped it. The file holds this text
// and one zero byte after it (StreamScriptFile).
bool StreamScript(const std::string& sourcePath, const DiffList& differences, Direction direction,
                  const TextSink& sink);
