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

// Writes the script (StreamScript) followed by one zero byte the way a
// target is saved, piece by piece as it is made: into a new file beside
// the file, flushed, which then takes the file's place in one step. A
// failing or killed write leaves no cut script and an existing file as it
// was. A file that is read-only, a folder, or has more than one name is
// not replaced.
ScriptWriteResult StreamScriptFile(const std::string& path, const std::string& sourcePath,
                                   const DiffList& differences, Direction direction);
