// The interpreter's state: a script's path and units, loading and cutting
// into units (interpreter/RunLoop.h runs them).
#pragma once

#include <string>
#include <string_view>

#include "language/ShapeTables.h"
#include "language/UnitList.h"
#include "platform/Memory.h"

class CParseScript {
 public:
  // The interpreter of the statements the tables know.
  explicit CParseScript(const StatementTables& statements) : statements(statements) {}

  void SetScriptPath(std::string path) { scriptPath = std::move(path); }
  // The file a #path argument names: a path with a drive is used as it
  // is (empty when it has no folder), and so is one from the root on
  // Linux; any other is placed, by file name and extension alone, in the
  // script's own folder. Empty when a part of either path is longer than
  // the 255 bytes the runtime's splitter holds: no path is cut into
  // another.
  std::string ResolveTargetPath(const std::string& argument) const;

  std::string scriptPath;
  CUnitList units;
  const StatementTables& statements;
};

class CScriptFile : public CParseScript {
 public:
  using CParseScript::CParseScript;
  // Reads the script file whole (up to its first zero byte) and cuts it
  // into units; false when it cannot be opened for reading and writing,
  // read, or holds no unit.
  bool Load(std::string path);
  // The same for a script already read from elsewhere (standard input):
  // the text up to its first zero byte, its relative targets found from
  // path's folder. Throws std::bad_alloc when no copy of it fits.
  bool Load(std::string path, std::string_view text);

 private:
  // Cuts the zero-ended text into units; false when it holds none.
  bool Cut(platform::CAutoFreeBlock text);
};
