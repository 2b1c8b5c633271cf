#include "tests/fuzz/FuzzFolder.h"

#include <sys/stat.h>

#include <filesystem>

namespace {

// Deterministic contents, different at every offset of the small files.
std::string Pattern(size_t size, unsigned step) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * step + 11) & 0xFF);
  return bytes;
}

}  // namespace

FuzzFolder::FuzzFolder() {
  folder_.Write(kTarget, Pattern(256, 37));
  folder_.Write(kShort, Pattern(16, 101));
  folder_.Write(kEmpty, "");
  MakeReadOnly(folder_.Write(kReadOnly, Pattern(16, 7)));
  std::filesystem::create_directory(folder_.File(kFolder));
  folder_.Write(kScript, "");
  laid_ = Snapshot();
}

void FuzzFolder::Put(const std::string& name, const PathState& entry) const {
  const std::string path = folder_.File(name);
  ::chmod(path.c_str(), 0644);
  folder_.Write(name, entry.bytes);
  ::chmod(path.c_str(), entry.mode & 07777);
}

void FuzzFolder::Restore(const std::string& script) {
  const FolderSnapshot now = Snapshot();
  for (const auto& [name, entry] : laid_) {
    if (entry.isFolder || name == kScript) continue;
    auto found = now.find(name);
    if (found == now.end() || found->second != entry) Put(name, entry);
  }
  laid_[kScript].bytes = script;
  Put(kScript, laid_[kScript]);
}

FolderSnapshot FuzzFolder::Snapshot() const {
  FolderSnapshot snapshot;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    snapshot[entry.path().filename().string()] = StateOf(entry.path().string());
  }
  return snapshot;
}
