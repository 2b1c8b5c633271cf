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
  kCannotCreate,  // no new file could be made to take the file's place
  kCannotSave,    // writing it or putting it in place failed
};

// Writes the script text followed by one zero byte the way a target is
// saved: into a new file beside the file, flushed, which then takes the
// file's place in one step. A failing or killed write leaves no cut
// script and an existing file as it was. A file that is read-only, a
// folder, or has more than one name is not replaced.
ScriptWriteResult WriteScriptFile(const std::string& path, const std::string& scriptText);

// The same file, its text written piece by piece as it is made: the bytes
// WriteScriptFile(path, BuildScript(sourcePath, differences, direction))
// writes, without holding the whole text in memory.
ScriptWriteResult StreamScriptFile(const std::string& path, const std::string& sourcePath,
                                   const DiffList& differences, Direction direction);
