// Where a script is proposed to go, and writing it to a file.
#pragma once

#include <string>

#include "compare/ScriptText.h"

struct ScriptLocation {
  std::string folder;  // the source file's drive and folder, e.g. "D:\data\"
  std::string name;    // its name with ".qpx" in place of its extension
};

// For D:\data\game.sav: D:\data\ and game.qpx.
ScriptLocation SuggestScriptLocation(const std::string& sourcePath);

enum class ScriptWriteResult {
  kWritten,
  kCannotCreate,  // the file could not be created or truncated
  kCannotSave,    // writing or closing it reported an error
};

// Creates or truncates the file and writes the script text followed by
// one zero byte, in one piece.
ScriptWriteResult WriteScriptFile(const std::string& path, const std::string& scriptText);

// The same file, its text written piece by piece as it is made: the bytes
// WriteScriptFile(path, BuildScript(sourcePath, differences, direction))
// writes, without holding the whole text in memory.
ScriptWriteResult StreamScriptFile(const std::string& path, const std::string& sourcePath,
                                   const DiffList& differences, Direction direction);
