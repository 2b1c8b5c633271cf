#include "diff/ScriptFile.h"

#include "platform/Files.h"
#include "script/PathSplitter.h"

namespace {

constexpr char kScriptExtension[] = ".qpx";

}  // namespace

ScriptLocation SuggestScriptLocation(const std::string& sourcePath) {
  PathParts parts = SplitPath(sourcePath);
  return {parts.drive + parts.folder, parts.name + kScriptExtension};
}

ScriptWriteResult WriteScriptFile(const std::string& path, const std::string& scriptText) {
  platform::AutoCloseFile file(platform::Open(
      path, platform::kOpenReadWrite | platform::kOpenCreate | platform::kOpenTruncate));
  if (!file.IsValid()) return ScriptWriteResult::kCannotCreate;
  // c_str() holds the zero byte that ends the file.
  if (!platform::WriteFully(file.Get(), scriptText.c_str(), scriptText.size() + 1)) {
    return ScriptWriteResult::kCannotSave;
  }
  if (!file.Reset()) return ScriptWriteResult::kCannotSave;
  return ScriptWriteResult::kWritten;
}
