// Temporary folders and whole-file helpers for the unit tests.
#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with its
// contents when the object dies.
class TempFolder {
 public:
  // In the system's folder for temporary files, or in base.
  explicit TempFolder(const std::string& base = "");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // The path of a file in the folder; with contents, the file is written.
  std::string File(const std::string& name) const;
  std::string Write(const std::string& name, const std::string& contents) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& contents);
// Moves the file's last-write time by seconds, as a later write would.
void Touch(const std::string& path, int seconds);
bool FileExists(const std::string& path);
// Clears every write permission bit, which the stand-in takes for the
// read-only attribute.
void MakeReadOnly(const std::string& path);

// What a path holds: nothing, a folder, or a file with its permission bits
// and bytes.
struct PathState {
  bool exists = false;
  bool isFolder = false;
  unsigned mode = 0;
  std::string bytes;
  bool operator==(const PathState&) const = default;
};
PathState StateOf(const std::string& path);
