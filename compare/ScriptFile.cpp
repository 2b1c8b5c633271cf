#include "compare/ScriptFile.h"

#include "platform/Files.h"
#include "text/PathSplitter.h"

namespace {

constexpr char kScriptExtension[] = ".qpx";
constexpr char kEndOfFile = '\0';

int CreateScript(const std::string& path) {
  return platform::Open(path,
                        platform::kOpenReadWrite | platform::kOpenCreate | platform::kOpenTruncate);
}

// Closes the file; a close that reports an error loses what was written.
ScriptWriteResult Finish(platform::CAutoCloseFile& file) {
  return file.Reset() ? ScriptWriteResult::kWritten : ScriptWriteResult::kCannotSave;
}

}  // namespace

ScriptLocation SuggestScriptLocation(const std::string& sourcePath) {
  PathParts parts = SplitPath(sourcePath);
  return {parts.drive + parts.folder, parts.name + kScriptExtension};
}

ScriptWriteResult WriteScriptFile(const std::string& path, const std::string& scriptText) {
  platform::CAutoCloseFile file(CreateScript(path));
  if (!file.IsValid()) return ScriptWriteResult::kCannotCreate;
  // c_str() holds the zero byte that ends the file.
  if (!platform::WriteFully(file.Get(), scriptText.c_str(), scriptText.size() + 1)) {
    return ScriptWriteResult::kCannotSave;
  }
  return Finish(file);
}

ScriptWriteResult StreamScriptFile(const std::string& path, const std::string& sourcePath,
                                   const DiffList& differences, Direction direction) {
  platform::CAutoCloseFile file(CreateScript(path));
  if (!file.IsValid()) return ScriptWriteResult::kCannotCreate;
  auto write = [&file](std::string_view piece) {
    return platform::WriteFully(file.Get(), piece.data(), piece.size());
  };
  if (!StreamScript(sourcePath, differences, direction, write) ||
      !platform::WriteFully(file.Get(), &kEndOfFile, 1)) {
    return ScriptWriteResult::kCannotSave;
  }
  return Finish(file);
}
