#include "language/ParseScript.h"
#include "text/PathSplitter.h"

std::string CParseScript::ResolveTargetPath(const std::string& argument) const {
  PathParts target = SplitPath(argument);
  if (!target.drive.empty()) return target.folder.empty() ? std::string() : argument;
  PathParts script = SplitPath(scriptPath);
  return script.drive + script.folder + target.name + target.extension;
}
