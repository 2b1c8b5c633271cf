#include "language/ParseScript.h"
#include "platform/Files.h"
#include "text/PathSplitter.h"

std::string CParseScript::ResolveTargetPath(const std::string& argument) const {
  // Linux has no drive letters: its root plays the drive's part.
  if (platform::SlashBeginsAnAbsolutePath() && argument.starts_with('/')) return argument;
  PathParts target = SplitPath(argument);
  if (target.overLong) return std::string();
  if (!target.drive.empty()) return target.folder.empty() ? std::string() : argument;
  PathParts script = SplitPath(scriptPath);
  if (script.overLong) return std::string();
  return script.drive + script.folder + target.name + target.extension;
}
