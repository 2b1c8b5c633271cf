#include "compare/ScriptFile.h"

#include "platform/Files.h"
#include "platform/Replacement.h"
#include "text/PathSplitter.h"

namespace {

constexpr char kScriptExtension[] = ".qpx";
constexpr char kEndOfFile = '\0';

// Writes the file all or nothing; write puts the text into a descriptor.
template <typename Write>
ScriptWriteResult WriteAllOrNothing(const std::string& path, Write write) {
  platform::CReplacementFile file;
  if (file.Create(path, 0) != platform::ReplaceStep::kDone) return ScriptWriteResult::kCannotCreate;
  if (!write(file.Descriptor())) return ScriptWriteResult::kCannotSave;
  return file.Commit() == platform::ReplaceStep::kDone ? ScriptWriteResult::kWritten
                                                       : ScriptWriteResult::kCannotSave;
}

}  // namespace

ScriptLocation SuggestScriptLocation(const std::string& sourcePath) {
  PathParts parts = SplitPath(sourcePath);
  return {parts.drive + parts.folder, parts.name + kScriptExtension};
}

ScriptWriteResult WriteScriptFile(const std::string& path, const std::string& scriptText) {
  return WriteAllOrNothing(path, [&scriptText](int fd) {
    // c_str() holds the zero byte that ends the file.
    return platform::WriteFully(fd, scriptText.c_str(), scriptText.size() + 1);
  });
}

ScriptWriteResult StreamScriptFile(const std::string& path, const std::string& sourcePath,
                                   const DiffList& differences, Direction direction) {
  return WriteAllOrNothing(path, [&](int fd) {
    auto write = [fd](std::string_view piece) {
      return platform::WriteFully(fd, piece.data(), piece.size());
    };
    return StreamScript(sourcePath, differences, direction, write) &&
           platform::WriteFully(fd, &kEndOfFile, 1);
  });
}
