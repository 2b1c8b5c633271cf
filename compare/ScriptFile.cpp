#include "compare/ScriptFile.h"

#include "platform/Files.h"
#include "platform/Replacement.h"
#include "text/PathSplitter.h"

namespace {

constexpr char kScriptExtension[] = ".qpx";
constexpr char kEndOfFile = '\0';

}  // namespace

ScriptLocation SuggestScriptLocation(const std::string& sourcePath) {
  PathParts parts = SplitPath(sourcePath);
  return {parts.drive + parts.folder, parts.name + kScriptExtension};
}

ScriptWriteResult StreamScriptFile(const std::string& path, const std::string& sourcePath,
                                   const DiffList& differences, Direction direction) {
  platform::CReplacementFile file;
  if (file.Create(path, 0) != platform::ReplaceStep::kDone) return ScriptWriteResult::kCannotCreate;
  auto write = [fd = file.Descriptor()](std::string_view piece) {
    return platform::WriteFully(fd, piece.data(), piece.size());
  };
  if (!StreamScript(sourcePath, differences, direction, write) || !write({&kEndOfFile, 1})) {
    return ScriptWriteResult::kCannotSave;
  }
  return file.Commit() == platform::ReplaceStep::kDone ? ScriptWriteResult::kWritten
                                                       : ScriptWriteResult::kCannotSave;
}
